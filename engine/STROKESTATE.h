#pragma once

#include <cstdint>

#include "base/Geometry.h"
#include "engine/SPRAYSTYLE.h"

namespace app {

// What a stroke's emission works from; kept by the free-hand tool between its events.
struct STROKESTATE {
    SPRAYSTYLE style;               // engine-form copy taken at the press, colour block included
    Vector2 lastPosition = {0, 0};  // image pixels, where the previous batch ended
    Vector2 carry = {0, 0};         // cursor motion of the previous batch, pixels per turn
    int32_t snapshot = -1;          // the stroke's snapshot index, -1 when none
    int32_t turns = 0;              // batches emitted since the press
};

}  // namespace app
