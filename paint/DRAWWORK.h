#pragma once

#include <cstdint>

namespace app {

// One pixel of the drawing pass's accumulation ring.
struct DRAWWORK {
    uint16_t weight;  // summed mask values of this turn, saturating at 65535
    uint32_t colour;  // weighted mean colour; its level byte is the weighted mean opacity
};

}  // namespace app
