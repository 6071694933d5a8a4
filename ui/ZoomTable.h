#pragma once

#include <cstdint>

#include "base/String.h"

namespace app {

// The view's eight zoom levels (25 ... 400 percent) and what depends on them alone.
class ZoomTable {
  public:
    static constexpr int32_t kInitialZoom = 100;

    // The previous level; at the first (25) it stays.  A zoom not in the table stays too.
    static int32_t Out(int32_t zoom);
    // The next level; at the last (400) it stays.
    static int32_t In(int32_t zoom);
    // The level a zoom command sets, -1 for other ids.
    static int32_t ForCommand(int32_t id);
    // The frame's caption at this zoom: "Driftlace (150%)" from strings 60001 and 60000.
    static String Caption(int32_t zoom);
};

}  // namespace app
