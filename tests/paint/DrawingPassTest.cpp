#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <memory>
#include <random>
#include <vector>

#include "base/Image.h"
#include "base/WorkCrew.h"
#include "engine/CoreMember.h"
#include "engine/SPRAYSTYLE.h"
#include "paint/BrushMasks.h"
#include "paint/COLORSETTING.h"
#include "paint/ColorSettings.h"
#include "paint/DrawingPass.h"
#include "paint/ParticleDrawing.h"

namespace {

using app::ColorWord;
using app::CoreMember;
using app::DRAWWORK;
using app::Image;
using app::PARTICLE;

constexpr int32_t kPaint = 0, kErase = 1, kBlur = 2;

// An engine state laid out as the engine's Init lays it out, without the engine.
struct World {
    std::unique_ptr<CoreMember> core = std::make_unique<CoreMember>();
    app::DrawingPass pass;
    app::WorkCrew crew;
    Image image;

    // With more than one thread the pass cuts the image into bands whatever the particle count.
    World(int32_t width, int32_t height, int32_t mode = kPaint, int32_t threads = 1) : crew(threads) {
        CoreMember& m = *core;
        m.width = width;
        m.height = height;
        m.gridWidth = (width + 15) / 16 + 3;
        m.gridHeight = (height + 15) / 16 + 3;
        m.offsetX = (m.gridWidth * 16 - width) / 2;
        m.offsetY = (m.gridHeight * 16 - height) / 2;
        const int32_t bytes = m.gridWidth * m.gridHeight * static_cast<int32_t>(sizeof(app::CELL));
        m.cells.Allocate(bytes);
        std::memset(m.cells.Data(), 0, static_cast<size_t>(bytes));
        m.rows.Allocate(m.gridHeight * static_cast<int32_t>(sizeof(app::CELLROW)));
        std::memset(m.rows.Data(), 0, static_cast<size_t>(m.rows.Size()));
        pass.Build(width, threads);
        pass.SetFewestToShare(0);
        m.mode = mode;
        image.Create(width, height, 4);
        image.Clear();
        m.image = &image;
    }

    // A snapshot whose rule gives `colour` (single colour, foreground).
    int32_t Style(uint32_t colour, int32_t coloring = 0, int32_t life = 20) {
        app::SPRAYSTYLE style;
        style.Color[0] = colour;
        style.Color[1] = ColorWord(0, 0, 0, 255);
        style.useFore = true;
        style.Coloring = coloring;
        style.CycleLength = 6;
        style.Life = life;
        return core->infoList.Acquire(style);
    }

    // Puts a particle into cell (column, row) with the given fractions.
    PARTICLE& Put(int32_t column, int32_t row, uint16_t fx, uint16_t fy, int32_t info) {
        PARTICLE& p = core->Place(column, row);
        p = PARTICLE{};
        p.fx = fx;
        p.fy = fy;
        p.info = info;
        return p;
    }

    // A particle at image position (x, y), which must be a multiple of 1/2048 pixel.
    PARTICLE& PutAt(double x, double y, int32_t info) {
        const double X = (x + core->offsetX) / 16, Y = (y + core->offsetY) / 16;
        const int32_t column = static_cast<int32_t>(std::floor(X)), row = static_cast<int32_t>(std::floor(Y));
        return Put(column, row, static_cast<uint16_t>((X - column) * 32768), static_cast<uint16_t>((Y - row) * 32768),
                   info);
    }

    const unsigned char* Pixel(int32_t x, int32_t y) const { return image.ConstPixel(x, y); }

    // The pass over this grid, as the engine hands it over.
    void Draw() {
        const CoreMember& m = *core;
        pass.Draw({core->cells.Data(), m.rows.IsEmpty() ? nullptr : m.rows.ConstData(), m.gridWidth, m.gridHeight,
                   m.offsetX, m.offsetY, m.width, m.height, m.infoList.Items(), m.infoList.Count(), m.mode, m.image,
                   &crew});
    }

    bool RingIsEmpty() const { return pass.RingIsEmpty(); }
};

const unsigned char* Masks() {
    static app::Buffer<unsigned char> masks;
    if (masks.IsEmpty())
        app::BuildBrushMasks(masks);
    return masks.ConstData();
}

// The image position the pass computes for a particle.
void PositionOf(const CoreMember& m, int32_t column, int32_t row, const PARTICLE& p, double& x, double& y) {
    x = (column + p.fx / 32768.0) * 16 - m.offsetX;
    y = (row + p.fy / 32768.0) * 16 - m.offsetY;
}

// The pass as a plain reading of its rules: the ring is cleared, rows are composited whole as
// soon as a cell row's limit passes them, and the ring rows they used are cleared.
void LiteralPass(CoreMember& m, Image& image) {
    std::vector<DRAWWORK> ring(static_cast<size_t>(m.width) * 64, DRAWWORK{});
    const app::DRAWRING view{ring.data(), 64, m.width, m.height};
    const auto clearRows = [&](int32_t a, int32_t n) {
        int32_t start = a % 64;
        if (start + n > 64) {
            std::fill(ring.begin(), ring.begin() + static_cast<ptrdiff_t>(start + n - 64) * m.width, DRAWWORK{});
            n = 64 - start;
        }
        std::fill(ring.begin() + static_cast<ptrdiff_t>(start) * m.width,
                  ring.begin() + static_cast<ptrdiff_t>(start + n) * m.width, DRAWWORK{});
    };
    const auto resolve = [&](int32_t y0, int32_t y1) {
        for (int32_t y = y0; y < y1; ++y)
            app::ResolveSpan(view, image.Row(y), y, 0, m.width, m.mode, false);
    };
    int32_t done = std::max(0, -m.offsetY - 4);
    for (int32_t i = 0; i < m.gridHeight; ++i) {
        for (int32_t j = 0; j < m.gridWidth; ++j) {
            app::CELL& cell = m.CellAt(j, i);
            for (int32_t k = 0; k < cell.count; ++k) {
                PARTICLE& p = cell.particles[k];
                double x, y;
                PositionOf(m, j, i, p, x, y);
                const app::MARK mark = app::PlaceMark(x, y);
                uint32_t colour = app::ColorOf(m.infoList.Item(p.info).key, p.age, m.mode);
                if (m.mode == kBlur) {
                    colour = app::BlurDeposit(p.colour, colour);
                    const unsigned char* q = image.ConstPixel(std::min(std::max(mark.px, 0), m.width - 1),
                                                              std::min(std::max(mark.py, 0), m.height - 1));
                    p.colour = ColorWord(q[0], q[1], q[2], q[3]);
                }
                app::SplatMark(view, Masks(), mark, colour);
            }
        }
        const int32_t limit = std::min(i * 16 - m.offsetY + 12, m.height);
        if (limit > done) {
            resolve(done, limit);
            clearRows(done, limit - done);
            done = limit;
        }
    }
    if (m.height > done)
        resolve(done, m.height);
}

// The whole turn accumulated into one buffer as high as the image, composited once.
void FullHeightPass(CoreMember& m, Image& image) {
    std::vector<DRAWWORK> all(static_cast<size_t>(m.width) * m.height, DRAWWORK{});
    const app::DRAWRING view{all.data(), m.height, m.width, m.height};
    for (int32_t i = 0; i < m.gridHeight; ++i) {
        for (int32_t j = 0; j < m.gridWidth; ++j) {
            const app::CELL& cell = m.CellAt(j, i);
            for (int32_t k = 0; k < cell.count; ++k) {
                double x, y;
                PositionOf(m, j, i, cell.particles[k], x, y);
                const uint32_t colour = app::ColorOf(m.infoList.Item(cell.particles[k].info).key, 0, m.mode);
                app::SplatMark(view, Masks(), app::PlaceMark(x, y), colour);
            }
        }
    }
    for (int32_t y = 0; y < m.height; ++y)
        app::ResolveSpan(view, image.Row(y), y, 0, m.width, m.mode, false);
}

void FillRandom(Image& image, std::mt19937& random) {
    for (int32_t y = 0; y < image.Height(); ++y) {
        unsigned char* row = image.Row(y);
        for (int32_t x = 0; x < image.RowBytes(); ++x)
            row[x] = static_cast<unsigned char>(random());
    }
}

// Random particles anywhere in the grid, the border ring included, with a cluster dense enough
// to paint fully.
void Scatter(World& world, std::mt19937& random, int32_t count, const std::vector<int32_t>& styles) {
    CoreMember& m = *world.core;
    std::uniform_int_distribution<int32_t> column(0, m.gridWidth - 1), row(0, m.gridHeight - 1);
    std::uniform_int_distribution<int32_t> fraction(0, 32767), style(0, static_cast<int32_t>(styles.size()) - 1);
    for (int32_t n = 0; n < count; ++n) {
        const int32_t j = n % 3 == 0 ? m.gridWidth / 2 : column(random);
        const int32_t i = n % 3 == 0 ? m.gridHeight / 2 : row(random);
        if (m.CellAt(j, i).count == app::kCellCapacity)
            continue;
        PARTICLE& p = world.Put(j, i, static_cast<uint16_t>(fraction(random)), static_cast<uint16_t>(fraction(random)),
                                styles[style(random)]);
        p.colour = static_cast<uint32_t>(random());
    }
}

std::vector<unsigned char> Bytes(const Image& image) {
    return std::vector<unsigned char>(image.ConstData(), image.ConstData() + image.ByteSize());
}

std::vector<unsigned char> CellBytes(const CoreMember& m) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(m.cells.ConstData());
    return std::vector<unsigned char>(bytes, bytes + m.cells.Size());
}

// Every test below with one thread and with several: the bands must not change a byte.
constexpr int32_t kThreadCounts[] = {1, 2, 3, 4};

TEST(DrawingPass, RingMatchesOneFullHeightAccumulation) {
    std::mt19937 random(7);
    const int32_t sizes[][2] = {{1, 1}, {37, 1}, {1, 40}, {50, 50}, {64, 200}, {130, 97}, {17, 300}};
    for (const auto& size : sizes) {
        for (int32_t mode : {kPaint, kErase}) {
            for (int32_t round = 0; round < 4; ++round) {
                World world(size[0], size[1], mode, kThreadCounts[round]);
                const std::vector<int32_t> styles = {world.Style(ColorWord(255, 0, 0, 255)),
                                                     world.Style(ColorWord(0, 90, 255, 128)),
                                                     world.Style(ColorWord(20, 30, 40, 0))};
                Scatter(world, random, 30 + 300 * round, styles);
                FillRandom(world.image, random);
                Image expected = world.image;
                FullHeightPass(*world.core, expected);
                world.Draw();
                ASSERT_EQ(Bytes(world.image), Bytes(expected)) << size[0] << "x" << size[1] << " mode " << mode;
                ASSERT_TRUE(world.RingIsEmpty());
            }
        }
    }
}

TEST(DrawingPass, MatchesTheRowByRowRuleInEveryMode) {
    std::mt19937 random(11);
    for (int32_t mode : {kPaint, kErase, kBlur}) {
        for (int32_t round = 0; round < 8; ++round) {
            World world(20 + 31 * round, 150 - 17 * round, mode, kThreadCounts[round % 4]);
            const std::vector<int32_t> styles = {world.Style(ColorWord(255, 255, 0, 255)),
                                                 world.Style(ColorWord(0, 0, 255, 200), 2),
                                                 world.Style(ColorWord(9, 9, 9, 255), 1, 5)};
            Scatter(world, random, 200 * (round + 1), styles);
            FillRandom(world.image, random);
            // Two turns, so that the second starts from the ring and the colours the first left.
            for (int32_t turn = 0; turn < 2; ++turn) {
                CoreMember& m = *world.core;
                const std::vector<unsigned char> cellsBefore = CellBytes(m);
                Image expected = world.image;
                LiteralPass(m, expected);
                const std::vector<unsigned char> cellsExpected = CellBytes(m);
                std::memcpy(m.cells.Data(), cellsBefore.data(), cellsBefore.size());
                world.Draw();
                ASSERT_EQ(Bytes(world.image), Bytes(expected)) << "mode " << mode << " round " << round;
                ASSERT_EQ(CellBytes(m), cellsExpected) << "picked-up colours";
                ASSERT_TRUE(world.RingIsEmpty());
            }
        }
    }
}

TEST(DrawingPass, LoneAndCoincidentParticles) {
    World world(40, 40);
    const int32_t white = world.Style(ColorWord(255, 255, 255, 255));
    world.PutAt(10, 10, white);
    world.Draw();
    // Only the mask's peak (248 at mask row and column 2) passes 180: w = 17408.
    EXPECT_EQ(world.Pixel(8, 8)[0], 255);
    EXPECT_EQ(world.Pixel(8, 8)[3], (255u * 17408) >> 16);
    int32_t changed = 0;
    for (int32_t y = 0; y < 40; ++y) {
        for (int32_t x = 0; x < 40; ++x)
            changed += world.Pixel(x, y)[3] != 0;
    }
    app::Buffer<unsigned char> masks;
    app::BuildBrushMasks(masks);
    int32_t above = 0;
    for (int32_t i = 0; i < 64; ++i)
        above += masks.ConstData()[i] > 180;
    EXPECT_EQ(changed, above);

    // Two at the same place paint fully in one turn, on opaque black: about the mean.
    World dense(40, 40);
    const int32_t style = dense.Style(ColorWord(255, 255, 255, 255));
    for (int32_t y = 0; y < 40; ++y)
        std::memset(dense.image.Row(y), 0, 160);
    for (int32_t y = 0; y < 40; ++y) {
        for (int32_t x = 0; x < 40; ++x)
            dense.image.Row(y)[x * 4 + 3] = 255;
    }
    dense.PutAt(10, 10, style);
    dense.PutAt(10, 10, style);
    dense.Draw();
    EXPECT_EQ(dense.Pixel(8, 8)[0], 127);
    EXPECT_EQ(dense.Pixel(8, 8)[3], 255);
}

TEST(DrawingPass, OnePixelHighImageIsCompositedOnce) {
    World world(3, 1);
    ASSERT_EQ(world.core->offsetY, 31);
    const int32_t white = world.Style(ColorWord(255, 255, 255, 255));
    for (int32_t y = 0; y < 1; ++y) {
        for (int32_t x = 0; x < 3; ++x)
            world.image.Row(y)[x * 4 + 3] = 255;
    }
    // Two coincident particles whose peak lies on the only row: once gives 127, twice 191.
    world.PutAt(3, 2, white);
    world.PutAt(3, 2, white);
    world.Draw();
    EXPECT_EQ(world.Pixel(1, 0)[0], 127);
    EXPECT_EQ(world.Pixel(1, 0)[3], 255);
    EXPECT_TRUE(world.RingIsEmpty());
}

TEST(DrawingPass, ParticlesOutsideTheImageDrawNothing) {
    World world(33, 20, kErase);
    const int32_t style = world.Style(ColorWord(255, 255, 255, 255));
    std::mt19937 random(3);
    FillRandom(world.image, random);
    const std::vector<unsigned char> before = Bytes(world.image);
    CoreMember& m = *world.core;
    // Every cell whose particles' marks cannot reach the image: the margin cells and border.
    for (int32_t i = 0; i < m.gridHeight; ++i) {
        for (int32_t j = 0; j < m.gridWidth; ++j) {
            for (uint16_t f : {uint16_t{0}, uint16_t{16383}, uint16_t{32767}}) {
                const double x = (j + f / 32768.0) * 16 - m.offsetX, y = (i + f / 32768.0) * 16 - m.offsetY;
                const bool reaches = x >= -4 && x < m.width + 4 && y >= -4 && y < m.height + 4;
                if (reaches || m.CellAt(j, i).count >= 30)
                    continue;
                for (int32_t n = 0; n < 2; ++n)
                    world.Put(j, i, f, f, style);
            }
        }
    }
    // A slot holding a fraction beyond the cell is read as the cell's last position.
    world.Put(0, 0, 65535, 65535, style);
    world.Draw();
    EXPECT_EQ(Bytes(world.image), before);
    EXPECT_TRUE(world.RingIsEmpty());
}

TEST(DrawingPass, BlurDragsThePickedUpColour) {
    World world(40, 40, kBlur);
    const int32_t style = world.Style(ColorWord(0, 0, 0, 255));
    for (int32_t y = 0; y < 40; ++y) {
        for (int32_t x = 0; x < 40; ++x) {
            unsigned char* p = world.image.Row(y) + x * 4;
            p[0] = static_cast<unsigned char>(x * 5);
            p[1] = static_cast<unsigned char>(y * 5);
            p[2] = 7;
            p[3] = 255;
        }
    }
    PARTICLE& a = world.PutAt(20, 20, style);
    PARTICLE& b = world.PutAt(20, 20, style);
    a.colour = b.colour = ColorWord(0, 0, 255, 255);
    world.Draw();
    // Each deposits the colour it carried, then carries the pixel under it, as it was before
    // its row was composited.
    EXPECT_EQ(a.colour, ColorWord(100, 100, 7, 255));
    EXPECT_EQ(b.colour, ColorWord(100, 100, 7, 255));
    const unsigned char* peak = world.Pixel(18, 18);
    EXPECT_EQ(peak[0], (90u * 255 * 256 + 0) / (255 * 256 + 65536));
    EXPECT_EQ(peak[2], (7u * 255 * 256 + 255 * 65536) / (255 * 256 + 65536));
    // A particle beyond the edge picks up the nearest edge pixel.
    World edge(10, 10, kBlur);
    const int32_t s = edge.Style(ColorWord(0, 0, 0, 255));
    edge.image.Row(9)[0] = 77;
    edge.image.Row(9)[3] = 255;
    PARTICLE& c = edge.PutAt(-6, 15, s);
    edge.Draw();
    EXPECT_EQ(c.colour, ColorWord(77, 0, 0, 255));
}

}  // namespace
