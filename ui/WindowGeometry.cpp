#include "ui/WindowGeometry.h"

#include <algorithm>
#include <limits>

namespace app {

namespace {

int32_t Extent(int32_t from, int32_t to) {
    if (to == WindowGeometry::kUseDefault)
        return WindowGeometry::kUseDefault;
    if (from == WindowGeometry::kUseDefault)
        return to;
    // A stored rectangle can hold anything; its difference must not wrap into a default.
    const int64_t extent = static_cast<int64_t>(to) - from;
    return static_cast<int32_t>(
        std::clamp<int64_t>(extent, std::numeric_limits<int32_t>::min() + 1, std::numeric_limits<int32_t>::max()));
}

}  // namespace

CREATE_RECT WindowGeometry::ToCreateRect(const Rect32& rect) {
    return {rect.left, rect.top, Extent(rect.left, rect.right), Extent(rect.top, rect.bottom)};
}

}  // namespace app
