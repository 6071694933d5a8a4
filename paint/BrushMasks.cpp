#include "paint/BrushMasks.h"

#include <cmath>

namespace app {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kDiscCentre = 14.5;

unsigned char DiscByte(int32_t row, int32_t column) {
    const double dx = std::trunc(column - kDiscCentre);
    const double dy = std::trunc(row - kDiscCentre);
    const double t = std::hypot(dx, dy) * 2 / 29;
    if (t >= 1)
        return 0;
    double v = (1 - std::cos((1 - t) * kPi)) * 0.5 * 255 + 1;
    if (v > 255)
        v = 255;
    return static_cast<unsigned char>(v);
}

}  // namespace

void BuildBrushDisc(unsigned char* disc) {
    for (int32_t r = 0; r < kBrushDiscSide; ++r) {
        for (int32_t k = 0; k < kBrushDiscSide; ++k)
            disc[r * kBrushDiscSide + k] = DiscByte(r, k);
    }
}

void BuildBrushMasks(Buffer<unsigned char>& masks) {
    unsigned char disc[kBrushDiscSide * kBrushDiscSide];
    BuildBrushDisc(disc);
    masks.Allocate(kBrushMaskTotal);
    unsigned char* out = masks.Data();
    // Each mask byte averages a 4 x 4 block of the disc; a larger phase starts the blocks one
    // disc step earlier, which moves the disc a quarter pixel further right or down.
    for (int32_t phaseY = 0; phaseY < kBrushPhases; ++phaseY) {
        for (int32_t phaseX = 0; phaseX < kBrushPhases; ++phaseX) {
            for (int32_t R = 0; R < kBrushMaskSide; ++R) {
                for (int32_t S = 0; S < kBrushMaskSide; ++S) {
                    const int32_t top = (4 - phaseY) + 4 * R;
                    const int32_t left = (4 - phaseX) + 4 * S;
                    int32_t sum = 0;
                    for (int32_t r = top; r < top + 4; ++r) {
                        for (int32_t k = left; k < left + 4; ++k)
                            sum += disc[r * kBrushDiscSide + k];
                    }
                    *out++ = static_cast<unsigned char>(sum / 16);
                }
            }
        }
    }
}

}  // namespace app
