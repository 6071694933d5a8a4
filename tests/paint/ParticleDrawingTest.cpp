#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "paint/BrushMasks.h"
#include "paint/COLORSETTING.h"
#include "paint/ParticleDrawing.h"

namespace {

using app::ColorWord;
using app::DRAWRING;
using app::DRAWWORK;

constexpr int32_t kPaint = 0, kErase = 1;

// A ring as high as a small test image, with the brush masks.
struct Canvas {
    int32_t width, height;
    std::vector<DRAWWORK> records;
    app::Buffer<unsigned char> masks;

    Canvas(int32_t w, int32_t h) : width(w), height(h), records(static_cast<size_t>(w) * h, DRAWWORK{}) {
        app::BuildBrushMasks(masks);
    }
    DRAWRING Ring() { return {records.data(), height, width, height}; }
    DRAWWORK& At(int32_t x, int32_t y) { return records[static_cast<size_t>(y) * width + x]; }
    void Splat(double x, double y, uint32_t colour) {
        app::SplatMark(Ring(), masks.ConstData(), app::PlaceMark(x, y), colour);
    }
    int Mask(int phaseX, int phaseY, int r, int s) const {
        return masks.ConstData()[app::BrushMaskIndex(phaseX, phaseY) * app::kBrushMaskSize + r * 8 + s];
    }
};

TEST(ParticleDrawing, PlacesMarksAtQuarterPixels) {
    const app::MARK a = app::PlaceMark(10.0, 20.0);
    EXPECT_EQ(a.px, 10);
    EXPECT_EQ(a.py, 20);
    EXPECT_EQ(a.phaseX, 0);
    EXPECT_EQ(a.phaseY, 0);
    const app::MARK b = app::PlaceMark(-0.3, 5.8);
    EXPECT_EQ(b.px, -1);  // toward minus infinity
    EXPECT_EQ(b.phaseX, 2);
    EXPECT_EQ(b.py, 5);
    EXPECT_EQ(b.phaseY, 3);
    // Positions that are not numbers land far outside every image.
    const app::MARK c = app::PlaceMark(std::nan(""), 1e300);
    EXPECT_LT(c.px, -100000);
    EXPECT_GT(c.py, 100000);
}

TEST(ParticleDrawing, LoneOpaqueParticleReachesOnlyItsPeak) {
    Canvas canvas(20, 20);
    canvas.Splat(10, 10, ColorWord(255, 255, 255, 255));
    // The mark covers columns and rows px - 4 ... px + 3; its peak is mask (2, 2).
    EXPECT_EQ(canvas.At(8, 8).weight, 248);
    EXPECT_EQ(app::CompositeWeight(canvas.At(8, 8)), 17408u);
    int32_t changed = 0;
    for (int32_t y = 0; y < 20; ++y) {
        for (int32_t x = 0; x < 20; ++x) {
            const bool inside = x >= 6 && x < 14 && y >= 6 && y < 14;
            const int expected = inside ? canvas.Mask(0, 0, y - 6, x - 6) : 0;
            EXPECT_EQ(canvas.At(x, y).weight, expected);
            if (app::CompositeWeight(canvas.At(x, y)) > 0)
                ++changed;
            if (expected <= 180) {
                EXPECT_EQ(app::CompositeWeight(canvas.At(x, y)), 0u);
            }
        }
    }
    EXPECT_GT(changed, 0);
}

TEST(ParticleDrawing, CoincidentParticlesSaturateTheWeight) {
    Canvas canvas(20, 20);
    canvas.Splat(10, 10, ColorWord(255, 255, 255, 255));
    canvas.Splat(10, 10, ColorWord(255, 255, 255, 255));
    EXPECT_EQ(canvas.At(8, 8).weight, 496);
    EXPECT_EQ(app::CompositeWeight(canvas.At(8, 8)), 65536u);
}

TEST(ParticleDrawing, RecordsMeanColourByMaskAndOpacity) {
    DRAWWORK r{};
    app::SplatRecord(r, 100, ColorWord(200, 0, 0, 255));
    EXPECT_EQ(r.colour, ColorWord(200, 0, 0, 255));
    app::SplatRecord(r, 100, ColorWord(0, 0, 100, 255));
    EXPECT_EQ(r.weight, 200);
    EXPECT_EQ(r.colour, ColorWord(100, 0, 50, 255));
    // A transparent colour adds weight, not colour, and lowers the mean opacity.
    app::SplatRecord(r, 200, ColorWord(9, 9, 9, 0));
    EXPECT_EQ(r.weight, 400);
    EXPECT_EQ(r.colour, ColorWord(100, 0, 50, 127));
    // A zero mask value changes nothing.
    const DRAWWORK before = r;
    app::SplatRecord(r, 0, ColorWord(1, 2, 3, 255));
    EXPECT_EQ(r.weight, before.weight);
    EXPECT_EQ(r.colour, before.colour);
    // Only transparent colours: weight but nothing to composite.
    DRAWWORK clear{};
    app::SplatRecord(clear, 250, ColorWord(50, 60, 70, 0));
    app::SplatRecord(clear, 250, ColorWord(50, 60, 70, 0));
    EXPECT_EQ(clear.weight, 500);
    EXPECT_EQ(app::CompositeWeight(clear), 0u);
    // The weight saturates.
    DRAWWORK full{};
    for (int i = 0; i < 300; ++i)
        app::SplatRecord(full, 255, ColorWord(1, 1, 1, 255));
    EXPECT_EQ(full.weight, 65535);
}

TEST(ParticleDrawing, CompositesByMode) {
    const DRAWWORK full{496, ColorWord(255, 128, 7, 255)};
    unsigned char transparent[4] = {0, 0, 0, 0};
    app::CompositePixel(transparent, full, kPaint);
    EXPECT_EQ(transparent[0], 255);
    EXPECT_EQ(transparent[1], 128);
    EXPECT_EQ(transparent[2], 7);
    EXPECT_EQ(transparent[3], 255);

    const DRAWWORK white{496, ColorWord(255, 255, 255, 255)};
    unsigned char opaque[4] = {0, 0, 0, 255};
    app::CompositePixel(opaque, white, kPaint);
    EXPECT_EQ(opaque[0], 127);
    EXPECT_EQ(opaque[3], 255);

    unsigned char erased[4] = {10, 20, 30, 255};
    app::CompositePixel(erased, white, kErase);
    EXPECT_EQ(erased[0], 10);
    EXPECT_EQ(erased[1], 20);
    EXPECT_EQ(erased[2], 30);
    EXPECT_EQ(erased[3], 0);

    // The lone particle's peak: w = 17408 on a transparent pixel.
    const DRAWWORK lone{248, ColorWord(40, 50, 60, 255)};
    unsigned char faint[4] = {0, 0, 0, 0};
    app::CompositePixel(faint, lone, kPaint);
    EXPECT_EQ(faint[0], 40);
    EXPECT_EQ(faint[3], (255u * 17408) >> 16);
    unsigned char half[4] = {0, 0, 0, 200};
    app::CompositePixel(half, lone, kErase);
    EXPECT_EQ(half[3], ((65536u - 17408) * 200) >> 16);
}

TEST(ParticleDrawing, ClipsMarksAtEveryEdge) {
    // A 6 x 5 image: marks at every edge and corner, and beyond them.
    for (double x : {-5.0, -3.75, 0.0, 2.5, 5.0, 6.0, 8.9, 9.5}) {
        for (double y : {-5.0, -2.25, 0.0, 4.0, 5.5, 8.9, 9.0}) {
            Canvas canvas(6, 5);
            canvas.Splat(x, y, ColorWord(1, 2, 3, 255));
            const app::MARK mark = app::PlaceMark(x, y);
            for (int32_t py = 0; py < 5; ++py) {
                for (int32_t px = 0; px < 6; ++px) {
                    const int32_t r = py - (mark.py - 4), s = px - (mark.px - 4);
                    const int expected =
                        r >= 0 && r < 8 && s >= 0 && s < 8 ? canvas.Mask(mark.phaseX, mark.phaseY, r, s) : 0;
                    EXPECT_EQ(canvas.At(px, py).weight, expected) << x << "," << y << " at " << px << "," << py;
                }
            }
        }
    }
}

TEST(ParticleDrawing, ResolvingEmptiesTheRecords) {
    Canvas canvas(16, 16);
    canvas.Splat(8, 8, ColorWord(0, 0, 255, 255));
    canvas.Splat(8, 8, ColorWord(0, 0, 255, 255));
    std::vector<unsigned char> image(16 * 16 * 4, 0);
    for (int32_t y = 0; y < 16; ++y)
        app::ResolveSpan(canvas.Ring(), &image[y * 64], y, 0, 16, kPaint, true);
    EXPECT_EQ(image[(6 * 16 + 6) * 4 + 2], 255);
    EXPECT_EQ(image[(6 * 16 + 6) * 4 + 3], 255);
    for (const DRAWWORK& r : canvas.records) {
        EXPECT_EQ(r.weight, 0);
        EXPECT_EQ(r.colour, 0u);
    }
    // Resolving again changes nothing.
    const std::vector<unsigned char> once = image;
    for (int32_t y = 0; y < 16; ++y)
        app::ResolveSpan(canvas.Ring(), &image[y * 64], y, 0, 16, kPaint, true);
    EXPECT_EQ(image, once);
}

TEST(ParticleDrawing, BlurDepositsTheCarriedColour) {
    // Level: ((A + 1) * carried level) >> 8, and 0 when the rule's level is 0.
    EXPECT_EQ(app::BlurDeposit(ColorWord(10, 20, 30, 255), ColorWord(1, 2, 3, 255)), ColorWord(10, 20, 30, 255));
    EXPECT_EQ(app::BlurDeposit(ColorWord(10, 20, 30, 200), ColorWord(1, 2, 3, 127)), ColorWord(10, 20, 30, 100));
    EXPECT_EQ(app::BlurDeposit(ColorWord(10, 20, 30, 200), ColorWord(1, 2, 3, 0)), ColorWord(10, 20, 30, 0));
}

}  // namespace
