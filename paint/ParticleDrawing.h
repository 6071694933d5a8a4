#pragma once

#include <cstddef>
#include <cstdint>

#include "paint/DRAWWORK.h"

namespace app {

// Where a particle's brush mark lands: the pixel that holds its position and the quarter-pixel
// phases that pick one of the 16 masks.
struct MARK {
    int32_t px;
    int32_t py;
    int32_t phaseX;
    int32_t phaseY;
};

// An accumulation ring seen as plain data: `rows` rows of `width` records, image row y using
// ring row y mod rows, for an image of width x height pixels; a ring as high as the image holds
// a whole turn.  The ring of records with its SplatMark and ResolveSpan is the drawing rule
// written out plainly, record by record; the drawing pass itself keeps its rings in arrays of
// weights and colours and lays and composites them in vector lanes (DrawingBand, RingLanes.h),
// and its tests hold it to this plain form byte for byte.
struct DRAWRING {
    DRAWWORK* records;
    int32_t rows;
    int32_t width;
    int32_t height;

    DRAWWORK* Row(int32_t y) const noexcept { return records + static_cast<ptrdiff_t>(y % rows) * width; }
};

// The rows and columns of the image that a mark covers, clipped; empty when x0 >= x1 or y0 >= y1.
struct MARKSPAN {
    int32_t x0, x1;
    int32_t y0, y1;
    bool IsEmpty() const noexcept { return x0 >= x1 || y0 >= y1; }
};

MARK PlaceMark(double x, double y) noexcept;
// The same for a particle of cell (column, row) with fractions (fx, fy) of a grid in which the
// image lies at (offsetX, offsetY) pixels, in integers: the particle's image position is a
// multiple of 1/2048 pixel, so its pixel and phase are bit fields of that multiple.
MARK PlaceMarkInGrid(int32_t column, int32_t row, uint16_t fx, uint16_t fy, int32_t offsetX, int32_t offsetY) noexcept;
MARKSPAN MarkSpan(const MARK& mark, int32_t width, int32_t height) noexcept;

// floor(n / d) for d > 0 whose quotient is below 256, through one division in double: n and d
// are exact as doubles, a whole quotient comes out exactly, and one that is not whole lies at
// least 1/d (more than 2^-32) below the next whole number, far more than the rounding of the
// division (at most 2^-46 below 256), so truncating the rounded quotient gives the integer one.
inline uint32_t SmallQuotient(uint32_t n, uint32_t d) noexcept {
    return static_cast<uint32_t>(static_cast<double>(n) / static_cast<double>(d));
}

// Adds one mask value m of a particle's colour word to a pixel's record.
void SplatRecord(DRAWWORK& record, uint32_t m, uint32_t colour) noexcept;
void SplatRecord(uint16_t& weight, uint32_t& colour, uint32_t m, uint32_t particle) noexcept;
// Lays a particle's mark into the ring; what lies outside the image is dropped.
void SplatMark(const DRAWRING& ring, const unsigned char* masks, const MARK& mark, uint32_t colour) noexcept;

// The compositing weight of a record, 0 ... 65536.
uint32_t CompositeWeight(const DRAWWORK& record) noexcept;
inline uint32_t CompositeWeight(uint32_t weight, uint32_t colour) noexcept {
    const uint32_t base = weight <= 180 ? 0 : (weight - 180 < 256 ? weight - 180 : 256);
    const uint32_t Ac = colour >> 24;
    return Ac > 0 ? base * (Ac + 1) : 0;
}
// Applies a record to one document pixel (red, green, blue, opacity) in drawing mode `mode`.
void CompositePixel(unsigned char* pixel, const DRAWWORK& record, int32_t mode) noexcept;
void CompositePixel(unsigned char* pixel, uint32_t weight, uint32_t colour, int32_t mode) noexcept;
// Composites columns x0 ... x1 - 1 of image row y from the ring into `imageRow` and, when
// `clear` is set, empties those records.
void ResolveSpan(const DRAWRING& ring,
                 unsigned char* imageRow,
                 int32_t y,
                 int32_t x0,
                 int32_t x1,
                 int32_t mode,
                 bool clear) noexcept;

// What a blurring particle deposits: its carried colour at the level the rule gives it, scaled
// by the carried pixel's own opacity.
uint32_t BlurDeposit(uint32_t carried, uint32_t ruleColour) noexcept;

}  // namespace app
