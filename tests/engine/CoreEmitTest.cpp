#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>

#include "base/Exception.h"
#include "base/Image.h"
#include "engine/Core.h"
#include "tests/engine/EngineTestSupport.h"

namespace {

constexpr double kPi = 3.141592653589793;

using app::Core;
using app::SPAWN_REQUEST;
using app::SPRAYSTYLE;
using enginetest::KeepGlobals;

SPAWN_REQUEST Request(int32_t info, double x, double y) {
    SPAWN_REQUEST request = {};
    request.info = info;
    request.position = {x, y};
    request.generations = 3;
    return request;
}

// The image position of particle k of the cell (column, row).
app::Vector2 PixelOf(Core& core, int32_t column, int32_t row, int32_t k) {
    const app::CoreMember& m = core.Members();
    const app::PARTICLE& p = core.Members().CellAt(column, row).particles[k];
    return {(column + p.fx / 32768.0) * 16 - m.offsetX, (row + p.fy / 32768.0) * 16 - m.offsetY};
}

// Every particle, in scan order.
std::vector<app::PARTICLE> Particles(Core& core, std::vector<app::Vector2>* positions = nullptr) {
    std::vector<app::PARTICLE> all;
    app::CoreMember& m = core.Members();
    for (int32_t i = 0; i < m.gridHeight; ++i) {
        for (int32_t j = 0; j < m.gridWidth; ++j) {
            for (int32_t k = 0; k < m.CellAt(j, i).count; ++k) {
                all.push_back(m.CellAt(j, i).particles[k]);
                if (positions)
                    positions->push_back(PixelOf(core, j, i, k));
            }
        }
    }
    return all;
}

TEST(CoreInit, GridGeometryCentresTheImage) {
    Core core;
    core.SetSize(1920, 1080);
    core.Init();
    const app::CoreMember& m = core.Members();
    EXPECT_EQ(m.gridWidth, 123);
    EXPECT_EQ(m.gridHeight, 71);
    EXPECT_EQ(m.offsetX, 24);
    EXPECT_EQ(m.offsetY, 28);
    EXPECT_EQ(m.cells.Count(), 123 * 71);
    EXPECT_EQ(m.nextCells.Count(), 123 * 71);
    EXPECT_GE(m.bands[0].sums.Count(), 2 * 123 * 32);
    EXPECT_EQ(core.ParticleCount(), 0);

    Core tiny;
    tiny.SetSize(1, 1);
    tiny.Init();
    EXPECT_EQ(tiny.Members().gridWidth, 4);
    EXPECT_EQ(tiny.Members().offsetX, 31);
    EXPECT_EQ(tiny.Members().offsetY, 31);
}

TEST(CoreInit, SizesThatOverflowRaiseCodeTwelve) {
    Core core;
    core.SetSize(40000000, 1);  // 64 ring rows of this width do not fit in 32 bits
    try {
        core.Init();
        FAIL() << "expected an overflow";
    } catch (const app::Exception& e) {
        EXPECT_EQ(e.Code(), app::ErrorOverflow);
    }
    Core tall;
    tall.SetSize(16, 2147483640);
    EXPECT_THROW(tall.Init(), app::Exception);
    EXPECT_THROW(tall.SetSize(-1, 5), app::Exception);
}

TEST(CoreEmit, InnerAreaReachesBeyondTheImageButNotFar) {
    KeepGlobals keep;
    Core core;
    core.SetSize(100, 80);
    core.Init();
    const int32_t info = core.AcquireStyle(enginetest::EngineStyle(SPRAYSTYLE()));
    core.Emit(Request(info, -4, 10));   // 3 pixels beyond the left edge after the jitter
    core.Emit(Request(info, 102, 10));  // beyond the right edge
    EXPECT_EQ(core.ParticleCount(), 2);
    core.Emit(Request(info, -40, 10));
    core.Emit(Request(info, 115, 10));  // into the last column (9, from pixel 114), as into column 0
    core.Emit(Request(info, 10, 89));   // into the last row (7, from pixel 88)
    core.Emit(Request(info, 140, 10));
    core.Emit(Request(info, 10, -41));
    core.Emit(Request(info, std::nan(""), 10));
    core.Emit(Request(info, 10, std::numeric_limits<double>::infinity()));
    core.Emit(Request(info, -std::numeric_limits<double>::infinity(), 10));
    core.Emit(Request(info, 1e300, 10));
    core.Emit(Request(info, -3e9, 10));
    EXPECT_EQ(core.ParticleCount(), 2);
    EXPECT_EQ(core.Members().infoList.Item(info).references, 3);
    core.ReleaseStyle(info);
    core.EraseAll();
    EXPECT_FALSE(core.IsAlive());
}

TEST(CoreEmit, AFullCellDropsTheParticleWithoutAReference) {
    KeepGlobals keep;
    Core core;
    core.SetSize(64, 64);
    core.Init();
    const int32_t info = core.AcquireStyle(enginetest::EngineStyle(SPRAYSTYLE()));
    for (int i = 0; i < 40; ++i)
        core.Emit(Request(info, 1.0, 1.0));  // cell (1 + 24 / 16 ...)
    EXPECT_EQ(core.ParticleCount(), 32);
    EXPECT_EQ(core.Members().infoList.Item(info).references, 33);
}

TEST(CoreEmit, ParticleTakesTheRequestAndItsJitteredPosition) {
    KeepGlobals keep;
    Core core;
    core.SetSize(64, 64);
    core.Init();
    const int32_t info = core.AcquireStyle(enginetest::EngineStyle(SPRAYSTYLE()));
    SPAWN_REQUEST request = Request(info, 20.5, 30.25);
    request.velocity = {0.25, -0.5};
    request.generations = 7;
    const uint32_t before = app::RandomState();
    core.Emit(request);
    app::RestoreRandomState(before);
    const double jitterX = app::RandomUnit();
    const double jitterY = app::RandomUnit();
    std::vector<app::Vector2> positions;
    const std::vector<app::PARTICLE> all = Particles(core, &positions);
    ASSERT_EQ(all.size(), 1u);
    EXPECT_NEAR(positions[0].x, 20.5 + jitterX, 16.0 / 32768);
    EXPECT_NEAR(positions[0].y, 30.25 + jitterY, 16.0 / 32768);
    EXPECT_EQ(all[0].vx, 0.25f);
    EXPECT_EQ(all[0].vy, -0.5f);
    EXPECT_EQ(all[0].age, 0);
    EXPECT_EQ(all[0].generations, 7);
    EXPECT_EQ(all[0].info, info);
}

TEST(CoreEmit, BlurModeCarriesThePixelUnderTheEmissionPoint) {
    KeepGlobals keep;
    app::Image image;
    image.Create(8, 8, 4);
    unsigned char* corner = image.Row(7) + 7 * 4;
    corner[0] = 10;
    corner[1] = 20;
    corner[2] = 30;
    corner[3] = 40;
    Core core;
    core.SetSize(8, 8);
    core.Init();
    core.SetMode(2);
    const int32_t info = core.AcquireStyle(enginetest::EngineStyle(SPRAYSTYLE()));
    SPAWN_REQUEST request = Request(info, 12, 12);  // beyond the corner: clamped onto it
    request.sourceImage = &image;
    core.Emit(request);
    ASSERT_EQ(core.ParticleCount(), 1);
    EXPECT_EQ(Particles(core)[0].colour, 0x281E140Au);
}

// A stroke of one engine-form style with no disc, no wiggle and no throwing.
app::STROKESTATE Stroke(Core& core, SPRAYSTYLE style) {
    style.ToEngineUnits();
    app::STROKESTATE stroke;
    stroke.style = style;
    stroke.snapshot = core.AcquireStyle(style);
    return stroke;
}

TEST(CoreStroke, PressEmitsOneAndEachBatchCountParticlesAlongThePath) {
    KeepGlobals keep;
    Core core;
    core.SetSize(200, 100);
    core.Init();
    SPRAYSTYLE style;
    style.Size = 0;
    style.Throwing = 0;
    app::STROKESTATE stroke = Stroke(core, style);
    core.EmitFirst(stroke, {10, 50});
    EXPECT_EQ(core.ParticleCount(), 1);
    EXPECT_EQ(stroke.lastPosition.x, 10.0);
    core.EmitBatch(stroke, {50, 50});
    EXPECT_EQ(core.ParticleCount(), 21);
    EXPECT_EQ(stroke.lastPosition.x, 50.0);
    EXPECT_EQ(stroke.carry.x, 40.0);
    EXPECT_EQ(stroke.turns, 1);
    // Disc centres 2, 4, ... 40 pixels on, each with up to one pixel of jitter.
    std::vector<app::Vector2> positions;
    Particles(core, &positions);
    std::vector<double> xs;
    for (const app::Vector2& p : positions)
        xs.push_back(p.x);
    std::sort(xs.begin(), xs.end());
    EXPECT_GE(xs[0], 10.0);
    EXPECT_LE(xs[0], 11.0);
    for (int i = 1; i <= 20; ++i) {
        EXPECT_GE(xs[i], 10.0 + 2 * i) << i;
        EXPECT_LE(xs[i], 11.0 + 2 * i) << i;
    }
    core.EmitBatch(stroke, {50, 50});  // standing still still emits a batch
    EXPECT_EQ(core.ParticleCount(), 41);
    EXPECT_EQ(stroke.carry.x, 0.0);
    EXPECT_EQ(core.Members().infoList.Item(stroke.snapshot).references, 42);
}

TEST(CoreStroke, ThrowingBlendsTheCursorMotionIntoTheVelocity) {
    KeepGlobals keep;
    Core core;
    core.SetSize(200, 100);
    core.Init();
    SPRAYSTYLE style;
    style.Size = 0;
    style.VelocityWidth = 0;
    style.Throwing = 1.6;  // engine form 0.1
    style.Count = 4;
    app::STROKESTATE stroke = Stroke(core, style);
    core.EmitFirst(stroke, {10, 50});
    EXPECT_EQ(Particles(core)[0].vx, 0.0f);  // no cursor momentum at the press
    core.EmitBatch(stroke, {50, 50});
    std::vector<float> speeds;
    for (const app::PARTICLE& p : Particles(core))
        speeds.push_back(p.vx);
    std::sort(speeds.begin(), speeds.end());
    EXPECT_EQ(speeds, (std::vector<float>{0.0f, 1.0f, 2.0f, 3.0f, 4.0f}));  // 0.1 x 10, 20, 30, 40
}

// Deviation of every particle from the style's velocity (16 pixels to the right), degrees.
double AngleOf(const app::PARTICLE& p) {
    return std::atan2(p.vy, p.vx) * 180 / kPi;
}

TEST(CoreStroke, RotateLeftSweepsThroughTheSpreadBatchByBatch) {
    KeepGlobals keep;
    Core core;
    core.SetSize(400, 400);
    core.Init();
    SPRAYSTYLE style;
    style.Size = 0;
    style.Throwing = 0;
    style.Velocity = {16, 0};
    style.VelocityWidth = 90;
    style.VelocityRotationSpeed = 10;
    style.VelocityMode = 0;
    style.Count = 4;
    app::STROKESTATE stroke = Stroke(core, style);
    // Spread the particles so that each batch lands in its own cells, in emission order.
    core.EmitFirst(stroke, {20, 20});
    EXPECT_NEAR(AngleOf(Particles(core)[0]), 0.0, 1e-4);
    std::vector<double> expected;
    for (int turn = 0; turn < 6; ++turn) {
        core.EraseAll();
        core.EmitBatch(stroke, {20, 20.0 + 60 * (turn + 1)});
        std::vector<app::Vector2> positions;
        std::vector<double> angles;
        for (const app::PARTICLE& p : Particles(core))
            angles.push_back(AngleOf(p));
        std::sort(angles.begin(), angles.end());
        std::vector<double> wanted;
        for (int i = 0; i < 4; ++i) {
            double h = 10.0 * turn + i * 2.5;
            if (h >= 45)
                h -= 90;  // past +45 the sweep wraps to -45
            wanted.push_back(h);
        }
        std::sort(wanted.begin(), wanted.end());
        ASSERT_EQ(angles.size(), 4u);
        for (int i = 0; i < 4; ++i)
            EXPECT_NEAR(angles[i], wanted[i], 1e-4) << "turn " << turn;
    }
}

TEST(CoreStroke, DeviationDrawsOnlyInRandomModeWithAWidth) {
    KeepGlobals keep;
    Core core;
    core.SetSize(100, 100);
    core.Init();
    auto drawsPerParticle = [&](int32_t mode, double width) {
        SPRAYSTYLE style;
        style.VelocityMode = mode;
        style.VelocityWidth = width;
        style.Velocity = {16, 0};
        app::STROKESTATE stroke = Stroke(core, style);
        const uint32_t before = app::RandomState();
        core.EmitFirst(stroke, {50, 50});
        const uint32_t after = app::RandomState();
        app::RestoreRandomState(before);
        int draws = 0;
        while (app::RandomState() != after && draws < 10) {
            app::Random();
            ++draws;
        }
        core.ReleaseStyle(stroke.snapshot);
        return draws;
    };
    EXPECT_EQ(drawsPerParticle(3, 30), 5);  // deviation, radius, disc angle, two jitters
    EXPECT_EQ(drawsPerParticle(3, 0), 4);
    EXPECT_EQ(drawsPerParticle(0, 30), 4);
    EXPECT_EQ(drawsPerParticle(4, 30), 4);
}

TEST(CoreStroke, ModeFourLeavesAlongTheCentreLineAndCountZeroEmitsNothing) {
    KeepGlobals keep;
    Core core;
    core.SetSize(100, 100);
    core.Init();
    SPRAYSTYLE style;
    style.VelocityMode = 4;
    style.VelocityWidth = 120;
    style.Velocity = {16, 0};
    style.Throwing = 0;
    style.Count = 0;
    app::STROKESTATE stroke = Stroke(core, style);
    core.EmitFirst(stroke, {50, 50});
    ASSERT_EQ(core.ParticleCount(), 1);
    EXPECT_EQ(Particles(core)[0].vx, 1.0f);
    EXPECT_EQ(Particles(core)[0].vy, 0.0f);
    core.EmitBatch(stroke, {80, 60});
    EXPECT_EQ(core.ParticleCount(), 1);
    EXPECT_EQ(stroke.lastPosition.x, 50.0);
    EXPECT_EQ(stroke.carry.x, 0.0);
    EXPECT_EQ(stroke.turns, 1);

    // The press of a stroke with no particles per batch still has a finite direction in the
    // sweeping modes.
    style.VelocityMode = 0;
    app::STROKESTATE sweeping = Stroke(core, style);
    core.EmitFirst(sweeping, {50, 50});
    ASSERT_EQ(core.ParticleCount(), 2);
    for (const app::PARTICLE& p : Particles(core))
        EXPECT_TRUE(std::isfinite(p.vx) && std::isfinite(p.vy));
}

TEST(CoreStroke, RandomMixParticlesShareSnapshotsOfEqualColour) {
    KeepGlobals keep;
    Core core;
    core.SetSize(100, 100);
    core.Init();
    SPRAYSTYLE style;
    style.Coloring = 3;
    style.Color[0] = 0xFF0000FFu;
    style.Color[1] = 0xFF0000FFu;  // every mix of two equal colours is that colour
    app::STROKESTATE stroke = Stroke(core, style);
    core.EmitFirst(stroke, {50, 50});
    core.EmitBatch(stroke, {50, 50});
    EXPECT_EQ(core.ParticleCount(), 21);
    // The mixed copy's key equals the stroke's, so all share the stroke's snapshot.
    EXPECT_EQ(core.Members().infoList.Item(stroke.snapshot).references, 22);
    EXPECT_EQ(enginetest::HoldersByInfo(core).size(), 1u);

    style.Color[1] = 0xFFFFFF00u;
    app::STROKESTATE mixed = Stroke(core, style);
    core.EmitBatch(mixed, {50, 50});
    for (const auto& [info, holders] : enginetest::HoldersByInfo(core)) {
        const int32_t strokes = info == stroke.snapshot || info == mixed.snapshot ? 1 : 0;
        EXPECT_EQ(core.Members().infoList.Item(info).references, holders + strokes);
    }
    // A mixed particle that is dropped leaves no snapshot behind.
    core.ReleaseStyle(stroke.snapshot);
    core.ReleaseStyle(mixed.snapshot);
    core.EraseAll();
    EXPECT_FALSE(core.IsAlive());
    app::STROKESTATE outside = Stroke(core, style);
    core.EmitFirst(outside, {-500, -500});
    core.ReleaseStyle(outside.snapshot);
    EXPECT_FALSE(core.IsAlive());
}

}  // namespace
