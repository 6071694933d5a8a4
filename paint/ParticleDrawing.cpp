#include "paint/ParticleDrawing.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "engine/PARTICLEGRID.h"
#include "paint/BrushMasks.h"

namespace app {

namespace {

constexpr uint32_t kWeightLimit = 65535;
constexpr uint32_t kWeightThreshold = 180;  // marks must pile up beyond this to change the image
constexpr uint32_t kFullWeight = 65536;
// Fractions run 0 ... 32767; a larger value in a slot is read as the largest.
constexpr uint16_t kMaxFraction = 32767;

inline uint32_t Byte(uint32_t word, int32_t k) noexcept {
    return word >> (8 * k) & 0xFFu;
}

inline uint32_t WithByte(uint32_t word, int32_t k, uint32_t value) noexcept {
    return (word & ~(0xFFu << (8 * k))) | value << (8 * k);
}

// Positions far outside any image (the grid only reaches 32 pixels beyond it) are pinned well
// outside, so that the conversion to int stays defined.
inline int32_t FloorToPixel(double v) noexcept {
    const double f = std::floor(v);
    if (!(f > -1.0e9))
        return -1000000000;
    if (f > 1.0e9)
        return 1000000000;
    return static_cast<int32_t>(f);
}

}  // namespace

MARK PlaceMark(double x, double y) noexcept {
    MARK mark = {FloorToPixel(x), FloorToPixel(y), 0, 0};
    if (std::isfinite(x) && std::isfinite(y)) {
        mark.phaseX = std::clamp(static_cast<int32_t>((x - std::floor(x)) * 4), 0, kBrushPhases - 1);
        mark.phaseY = std::clamp(static_cast<int32_t>((y - std::floor(y)) * 4), 0, kBrushPhases - 1);
    }
    return mark;
}

MARK PlaceMarkInGrid(int32_t column, int32_t row, uint16_t fx, uint16_t fy, int32_t offsetX, int32_t offsetY) noexcept {
    // In 1/2048 pixel: (column + f / 32768) * 16 - offset = (column * 32768 + f - offset * 2048) / 2048.
    const int64_t x = int64_t{column} * 32768 + std::min<uint16_t>(fx, kMaxFraction) - int64_t{offsetX} * 2048;
    const int64_t y = int64_t{row} * 32768 + std::min<uint16_t>(fy, kMaxFraction) - int64_t{offsetY} * 2048;
    return {static_cast<int32_t>(x >> 11), static_cast<int32_t>(y >> 11), static_cast<int32_t>((x & 2047) >> 9),
            static_cast<int32_t>((y & 2047) >> 9)};
}

MARKSPAN MarkSpan(const MARK& mark, int32_t width, int32_t height) noexcept {
    MARKSPAN span;
    span.x0 = std::max(mark.px - kBrushReach, 0);
    span.x1 = std::min(mark.px + kBrushReach, width);
    span.y0 = std::max(mark.py - kBrushReach, 0);
    span.y1 = std::min(mark.py + kBrushReach, height);
    return span;
}

void SplatRecord(uint16_t& weight, uint32_t& colour, uint32_t m, uint32_t particle) noexcept {
    // Shortcuts that give exactly what the means below give: a zero mask value lays nothing,
    // and every weighted mean of a colour with itself is that colour.
    if (m == 0)
        return;
    const uint32_t W = weight;
    weight = static_cast<uint16_t>(std::min(W + m, kWeightLimit));
    const uint32_t Q = colour;
    if (Q == particle)
        return;
    const uint32_t Ac = Byte(Q, 3);
    const uint32_t Ap = Byte(particle, 3);
    const uint32_t old = W * Ac;
    const uint32_t add = m * Ap;
    uint32_t mixed = Q;
    if (add > 0) {
        if (old > 0) {
            const uint32_t total = old + add;
            for (int32_t k = 0; k < 3; ++k)
                mixed = WithByte(mixed, k, SmallQuotient(Byte(Q, k) * old + Byte(particle, k) * add, total));
        } else {
            mixed = particle;
        }
    }
    colour = WithByte(mixed, 3, W > 0 ? SmallQuotient(old + add, W + m) : Ap);
}

void SplatRecord(DRAWWORK& record, uint32_t m, uint32_t colour) noexcept {
    SplatRecord(record.weight, record.colour, m, colour);
}

void SplatMark(const DRAWRING& ring, const unsigned char* masks, const MARK& mark, uint32_t colour) noexcept {
    const MARKSPAN span = MarkSpan(mark, ring.width, ring.height);
    if (span.IsEmpty())
        return;
    const unsigned char* mask = masks + BrushMaskIndex(mark.phaseX, mark.phaseY) * kBrushMaskSize;
    const int32_t left = mark.px - kBrushReach;
    const int32_t top = mark.py - kBrushReach;
    for (int32_t y = span.y0; y < span.y1; ++y) {
        const unsigned char* maskRow = mask + (y - top) * kBrushMaskSide;
        DRAWWORK* row = ring.Row(y);
        for (int32_t x = span.x0; x < span.x1; ++x)
            SplatRecord(row[x], maskRow[x - left], colour);
    }
}

uint32_t CompositeWeight(const DRAWWORK& record) noexcept {
    return CompositeWeight(record.weight, record.colour);
}

void CompositePixel(unsigned char* pixel, uint32_t weight, uint32_t colour, int32_t mode) noexcept {
    const uint32_t w = CompositeWeight(weight, colour);
    if (w == 0)
        return;
    const uint32_t a = pixel[3];
    if (mode != DrawingModeErase) {
        const uint32_t kept = a * 256;
        for (int32_t k = 0; k < 3; ++k)
            pixel[k] = static_cast<unsigned char>(SmallQuotient(pixel[k] * kept + Byte(colour, k) * w, kept + w));
        pixel[3] = static_cast<unsigned char>(((kFullWeight - w) * a + 255 * w) >> 16);
    } else {
        pixel[3] = static_cast<unsigned char>(((kFullWeight - w) * a) >> 16);
    }
}

void CompositePixel(unsigned char* pixel, const DRAWWORK& record, int32_t mode) noexcept {
    CompositePixel(pixel, record.weight, record.colour, mode);
}

void ResolveSpan(const DRAWRING& ring,
                 unsigned char* imageRow,
                 int32_t y,
                 int32_t x0,
                 int32_t x1,
                 int32_t mode,
                 bool clear) noexcept {
    DRAWWORK* row = ring.Row(y);
    for (int32_t x = x0; x < x1; ++x) {
        if (row[x].weight == 0)
            continue;  // nothing was laid here (or it was resolved already)
        CompositePixel(imageRow + static_cast<ptrdiff_t>(x) * 4, row[x], mode);
        if (clear)
            row[x] = DRAWWORK{};
    }
}

uint32_t BlurDeposit(uint32_t carried, uint32_t ruleColour) noexcept {
    const uint32_t A = Byte(ruleColour, 3);
    const uint32_t level = ((A + (A > 0 ? 1 : 0)) * Byte(carried, 3)) >> 8;
    return WithByte(carried, 3, level);
}

}  // namespace app
