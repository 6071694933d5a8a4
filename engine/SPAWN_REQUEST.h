#pragma once

#include <cstdint>

#include "base/Geometry.h"

namespace app {

class Image;

// One particle handed to the engine's Emit.
struct SPAWN_REQUEST {
    Vector2 velocity;          // cells per turn
    Vector2 position;          // image pixels
    const Image* sourceImage;  // the document image; read in blur mode only (may be null)
    int32_t info;              // snapshot index; the caller holds a reference during the call
    int32_t generations;
};

}  // namespace app
