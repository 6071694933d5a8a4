#include <gtest/gtest.h>

#include "paint/BrushMasks.h"

namespace {

using app::BrushMaskIndex;
using app::kBrushMaskSide;
using app::kBrushMaskSize;

struct Masks {
    app::Buffer<unsigned char> buffer;
    Masks() { app::BuildBrushMasks(buffer); }
    int At(int phaseX, int phaseY, int row, int column) const {
        return buffer.ConstData()[BrushMaskIndex(phaseX, phaseY) * kBrushMaskSize + row * kBrushMaskSide + column];
    }
};

TEST(BrushMasks, DiscRunsFromFullCentreToFaintRim) {
    unsigned char disc[app::kBrushDiscSide * app::kBrushDiscSide];
    app::BuildBrushDisc(disc);
    const auto at = [&](int r, int k) { return int(disc[r * app::kBrushDiscSide + k]); };
    // Columns and rows 14 and 15 both truncate to distance 0.
    EXPECT_EQ(at(14, 14), 255);
    EXPECT_EQ(at(15, 15), 255);
    EXPECT_EQ(at(14, 0), 1);   // dx -14: just inside the rim
    EXPECT_EQ(at(14, 29), 1);  // dx 14
    EXPECT_EQ(at(14, 30), 0);  // dx 15: outside
    EXPECT_EQ(at(0, 0), 0);
    for (int i = 30; i < 36; ++i) {
        for (int j = 0; j < 36; ++j) {
            EXPECT_EQ(at(i, j), 0);
            EXPECT_EQ(at(j, i), 0);
        }
    }
}

TEST(BrushMasks, PhaseZeroCheckValues) {
    Masks masks;
    ASSERT_EQ(masks.buffer.Size(), 1024);
    const int firstRow[8] = {21, 65, 92, 83, 42, 6, 0, 0};
    for (int s = 0; s < 8; ++s)
        EXPECT_EQ(masks.At(0, 0, 0, s), firstRow[s]) << s;
    int peak = 0, peakRow = -1, peakColumn = -1;
    for (int r = 0; r < 8; ++r) {
        for (int s = 0; s < 8; ++s) {
            if (masks.At(0, 0, r, s) > peak) {
                peak = masks.At(0, 0, r, s);
                peakRow = r;
                peakColumn = s;
            }
        }
    }
    EXPECT_EQ(peak, 248);
    EXPECT_EQ(peakRow, 2);
    EXPECT_EQ(peakColumn, 2);
}

TEST(BrushMasks, PhaseThreeIsSymmetricAboutItsCentre) {
    Masks masks;
    EXPECT_EQ(masks.At(3, 3, 3, 3), 252);
    for (int r = 0; r < 7; ++r) {
        for (int s = 0; s < 7; ++s) {
            EXPECT_EQ(masks.At(3, 3, r, s), masks.At(3, 3, 6 - r, s)) << r << "," << s;
            EXPECT_EQ(masks.At(3, 3, r, s), masks.At(3, 3, r, 6 - s)) << r << "," << s;
            EXPECT_EQ(masks.At(3, 3, r, s), masks.At(3, 3, s, r)) << r << "," << s;
        }
    }
}

TEST(BrushMasks, LargerPhaseMovesTheMarkRightAndDown) {
    Masks masks;
    // The disc is symmetric, so swapping the phases transposes the mask.
    for (int py = 0; py < 4; ++py) {
        for (int px = 0; px < 4; ++px) {
            for (int r = 0; r < 8; ++r) {
                for (int s = 0; s < 8; ++s) {
                    EXPECT_EQ(masks.At(px, py, r, s), masks.At(py, px, s, r)) << "transpose";
                }
            }
        }
    }
    // The centre of mass moves by a quarter pixel per phase step.
    double previous = -1;
    for (int px = 0; px < 4; ++px) {
        double sum = 0, moment = 0;
        for (int r = 0; r < 8; ++r) {
            for (int s = 0; s < 8; ++s) {
                sum += masks.At(px, 0, r, s);
                moment += masks.At(px, 0, r, s) * s;
            }
        }
        const double centre = moment / sum;
        if (px > 0) {
            EXPECT_NEAR(centre - previous, 0.25, 0.03);
        }
        previous = centre;
    }
}

}  // namespace
