#pragma once

#include <cstdint>

#include "base/Geometry.h"

namespace app {

// Position and size handed to window creation.
struct CREATE_RECT {
    int32_t x;
    int32_t y;
    int32_t width;
    int32_t height;
};

// Window rectangles whose fields may hold the platform's "use the default" value.
class WindowGeometry {
  public:
    static constexpr int32_t kUseDefault = static_cast<int32_t>(0x80000000u);  // CW_USEDEFAULT

    // Width: the default when right is the default, right alone when only left is, else
    // right - left (limited to the int range); height likewise from top and bottom.
    static CREATE_RECT ToCreateRect(const Rect32& rect);
    // Where a window of the given size whose top-left was stored at `place` goes so that it
    // lies wholly on `desktop` (as much of it as fits, from its top-left): a monitor that was
    // there when the place was stored may be gone.
    static Point32 KeepOnScreen(Point32 place, int32_t width, int32_t height, const Rect32& desktop);
    // Where a panel with no stored place first goes: beside the frame on the frame's monitor
    // (`work`, its work area), to its right where it fits, else to its left, else at the
    // monitor's right edge; from `top` down (the frame's top, or below the panel placed before
    // it), moved up as far as it must to stay on the monitor.
    static Point32 BesideFrame(const Rect32& frame, const Rect32& work, int32_t width, int32_t height, int32_t top);
};

}  // namespace app
