#pragma once

#include <cstdint>

namespace app {

// Part of a block of bytes laid out in rows: `rows` runs of `rowBytes` bytes, the first at
// `offset`, each `stride` bytes after the one before.  A history step stores one image range so.
struct BYTERANGE {
    int32_t offset;
    int32_t rowBytes;
    int32_t rows;
    int32_t stride;
};

// Whether the range lies within a block of `bytes` bytes and its rows do not overlap.
inline bool RangeFits(const BYTERANGE& range, int32_t bytes) {
    if (range.offset < 0 || range.rowBytes <= 0 || range.rows <= 0 || range.stride < range.rowBytes)
        return false;
    const int64_t end = int64_t{range.offset} + int64_t{range.rows - 1} * range.stride + range.rowBytes;
    return end <= bytes;
}

// The range's length as a stream: rows x rowBytes (it fits in 32 bits for a range that fits).
inline int32_t RangeLength(const BYTERANGE& range) {
    return static_cast<int32_t>(int64_t{range.rows} * range.rowBytes);
}

}  // namespace app
