#pragma once

#include <cstdint>

namespace app {

// A rectangle in window coordinates, as the settings store keeps window placements.
struct Rect32 {
    int32_t left;
    int32_t top;
    int32_t right;
    int32_t bottom;
};

// A point in pixels: client, content or image coordinates.
struct Point32 {
    int32_t x;
    int32_t y;
};

// A pair of reals: velocities, gravity vectors, positions.
struct Vector2 {
    double x;
    double y;
};

}  // namespace app
