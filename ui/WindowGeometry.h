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
};

}  // namespace app
