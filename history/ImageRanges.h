#pragma once

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <vector>

#include "base/Exception.h"
#include "base/Geometry.h"
#include "base/Image.h"
#include "history/BYTERANGE.h"

namespace app {

// Rectangles of a document image as byte ranges of its bytes, and copies over such ranges: what
// recording and replaying image steps share.

inline void CheckSameLayout(const Image& image, const Image& previous) {
    if (image.ByteSize() != previous.ByteSize() || image.Stride() != previous.Stride())
        throw Exception(ErrorImageSize);
}

// The rectangles as byte ranges of the image, clipped to it; empty ones are left out.
inline std::vector<BYTERANGE> ByteRanges(const Image& image, const std::vector<Rect32>& rects) {
    std::vector<BYTERANGE> ranges;
    ranges.reserve(rects.size());
    const int32_t pixel = image.BytesPerPixel();
    for (const Rect32& rect : rects) {
        const int32_t left = std::max(rect.left, 0), top = std::max(rect.top, 0);
        const int32_t right = std::min(rect.right, image.Width()), bottom = std::min(rect.bottom, image.Height());
        if (right <= left || bottom <= top)
            continue;
        ranges.push_back({top * image.Stride() + left * pixel, (right - left) * pixel, bottom - top, image.Stride()});
    }
    return ranges;
}

inline void CopyRange(unsigned char* destination, const unsigned char* source, const BYTERANGE& range) {
    for (int32_t row = 0; row < range.rows; ++row) {
        const ptrdiff_t at = range.offset + static_cast<ptrdiff_t>(row) * range.stride;
        std::memcpy(destination + at, source + at, static_cast<size_t>(range.rowBytes));
    }
}

// Runs job(i) for every i < count, side by side on the crew when there is one and more than one
// part.
template <typename Crew, typename Job>
void RunParts(Crew* crew, int32_t count, Job& job) {
    if (crew && count > 1) {
        crew->Run(count, job);
        return;
    }
    for (int32_t i = 0; i < count; ++i)
        job(i);
}

}  // namespace app
