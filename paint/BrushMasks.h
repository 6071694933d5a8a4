#pragma once

#include <cstdint>

#include "base/Buffer.h"

namespace app {

// The brush of the drawing pass: 16 masks of 8 x 8 bytes, one per quarter-pixel phase of a
// particle's position, so that drawing never computes a distance or a coverage per pixel.
constexpr int32_t kBrushMaskSide = 8;
constexpr int32_t kBrushMaskSize = kBrushMaskSide * kBrushMaskSide;  // bytes of one mask
constexpr int32_t kBrushPhases = 4;
constexpr int32_t kBrushMaskCount = kBrushPhases * kBrushPhases;
constexpr int32_t kBrushMaskTotal = kBrushMaskCount * kBrushMaskSize;
// A mark covers columns and rows from the particle's pixel minus this reach to plus reach - 1.
constexpr int32_t kBrushReach = kBrushMaskSide / 2;

// The 36 x 36 raised-cosine disc that the masks are sampled from, row by row.
constexpr int32_t kBrushDiscSide = 36;
void BuildBrushDisc(unsigned char* disc);

// Fills `masks` with the 16 masks, mask phaseY * 4 + phaseX stored row by row.
void BuildBrushMasks(Buffer<unsigned char>& masks);

inline int32_t BrushMaskIndex(int32_t phaseX, int32_t phaseY) noexcept {
    return phaseY * kBrushPhases + phaseX;
}

}  // namespace app
