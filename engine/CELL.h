#pragma once

#include <cstdint>

namespace app {

// One particle slot of a grid cell.
struct PARTICLE {
    uint16_t fx, fy;      // position inside the cell in 1/32768 of a cell, 0 ... 32767
    float vx, vy;         // velocity in cells per turn
    int32_t age;          // turns lived; 0 when emitted
    int32_t info;         // snapshot index; the particle holds one reference on it
    int32_t generations;  // how many more times the particle's line may split
    uint32_t colour;      // colour word carried in blur mode; copied unchanged when moving
};

constexpr int32_t kCellCapacity = 32;
constexpr int32_t kCellPixels = 16;
constexpr double kFractionScale = 32768.0;

// One grid cell: slots 0 ... count-1 hold its particles in insertion order.
struct CELL {
    PARTICLE particles[kCellCapacity];
    int32_t count;
};

}  // namespace app
