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

// The start of a span of `size` kept within [low, high); a span larger than that starts at low.
int32_t KeepWithin(int32_t start, int64_t size, int32_t low, int32_t high) {
    const int64_t last = std::max<int64_t>(low, high - std::max<int64_t>(size, 0));
    return static_cast<int32_t>(std::clamp<int64_t>(start, low, last));
}

}  // namespace

Point32 WindowGeometry::KeepOnScreen(Point32 place, int32_t width, int32_t height, const Rect32& desktop) {
    return {KeepWithin(place.x, width, desktop.left, desktop.right),
            KeepWithin(place.y, height, desktop.top, desktop.bottom)};
}

Point32 WindowGeometry::BesideFrame(const Rect32& frame,
                                    const Rect32& work,
                                    int32_t width,
                                    int32_t height,
                                    int32_t top) {
    int32_t x = frame.right;
    if (x + width > work.right)
        x = frame.left - width >= work.left ? frame.left - width : work.right - width;
    return KeepOnScreen({x, top}, width, height, work);
}

CREATE_RECT WindowGeometry::ToCreateRect(const Rect32& rect) {
    return {rect.left, rect.top, Extent(rect.left, rect.right), Extent(rect.top, rect.bottom)};
}

}  // namespace app
