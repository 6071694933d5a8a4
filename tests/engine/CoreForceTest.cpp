#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

#include "engine/Core.h"
#include "tests/engine/EngineTestSupport.h"

namespace {

using app::Core;
using app::SPRAYSTYLE;
using enginetest::KeepGlobals;
using enginetest::Place;

// A 160 x 160 picture: grid of 13 x 13 cells, inner cells 1 ... 11.
struct Scene {
    Core core;
    int32_t info = -1;

    explicit Scene(const SPRAYSTYLE& user = enginetest::PlainStyle()) {
        core.SetSize(160, 160);
        core.Init();
        info = core.AcquireStyle(enginetest::EngineStyle(user));
    }
    ~Scene() { core.ReleaseStyle(info); }

    const app::PARTICLE& At(int32_t column, int32_t row, int32_t k) {
        return core.Members().CellAt(column, row).particles[k];
    }
};

TEST(CoreForces, DefaultAttractionAtEightPixels) {
    KeepGlobals keep;
    enginetest::SetWorld(0, 0, 0);
    Scene scene;
    Place(scene.core, scene.info, 5, 5, 0, 0);
    Place(scene.core, scene.info, 5, 5, 16384, 0);  // 8 pixels to the right
    scene.core.Step();
    EXPECT_DOUBLE_EQ(scene.At(5, 5, 0).vx, 0.0078125);
    EXPECT_DOUBLE_EQ(scene.At(5, 5, 1).vx, -0.0078125);
    EXPECT_EQ(scene.At(5, 5, 0).vy, 0.0f);
}

TEST(CoreForces, DefaultRepulsionWinsAtThreePointTwoPixels) {
    KeepGlobals keep;
    enginetest::SetWorld(0, 0, 0);
    Scene scene;
    Place(scene.core, scene.info, 5, 5, 0, 0);
    Place(scene.core, scene.info, 5, 5, 6554, 0);  // 0.2 cell = 3.2 pixels
    scene.core.Step();
    const double d = 6554 / 32768.0;
    const double expected = 0.125 * 0.125 * (1 - d) - 0.15625 * 0.15625 * (1 - 6.25 * d * d);
    EXPECT_NEAR(expected, -0.00581, 2e-5);
    EXPECT_NEAR(scene.At(5, 5, 0).vx, expected, 1e-6);
    EXPECT_NEAR(scene.At(5, 5, 1).vx, -expected, 1e-6);
}

TEST(CoreForces, OneCellApartOnAnAxisCountsButChangesNothingAndDiagonalsDoNotMeet) {
    KeepGlobals keep;
    enginetest::SetWorld(0, 0, 0);
    SPRAYSTYLE style = enginetest::PlainStyle();
    style.gravityArea = 16.0;
    style.ViscosityArea = 16.0;
    Scene scene(style);
    Place(scene.core, scene.info, 5, 5, 0, 0, 0.5f, 0);
    Place(scene.core, scene.info, 6, 5, 0, 0, -0.5f, 0);  // exactly 16 pixels
    Place(scene.core, scene.info, 8, 8, 0, 0, 0.25f, 0);
    Place(scene.core, scene.info, 9, 9, 0, 0, -0.25f, 0);  // one cell on both axes
    scene.core.Step();
    EXPECT_EQ(scene.At(5, 5, 0).vx, 0.5f);
    EXPECT_EQ(scene.At(6, 5, 0).vx, -0.5f);
    EXPECT_EQ(scene.At(8, 8, 0).vx, 0.25f);
    EXPECT_EQ(scene.At(9, 9, 0).vx, -0.25f);
}

TEST(CoreForces, CoincidentParticlesSeparateOnlyWithAForce) {
    KeepGlobals keep;
    enginetest::SetWorld(0, 0, 0);
    {
        SPRAYSTYLE still = enginetest::PlainStyle();
        still.Gravity = 0;
        still.Repulsion = 0;
        Scene scene(still);
        Place(scene.core, scene.info, 5, 5, 100, 100);
        Place(scene.core, scene.info, 5, 5, 100, 100);
        const uint32_t before = app::RandomState();
        scene.core.Step();
        EXPECT_EQ(app::RandomState(), before);
        EXPECT_EQ(scene.At(5, 5, 0).vx, 0.0f);
        EXPECT_EQ(scene.At(5, 5, 1).vy, 0.0f);
    }
    Scene scene;
    Place(scene.core, scene.info, 5, 5, 100, 100);
    Place(scene.core, scene.info, 5, 5, 100, 100);
    const uint32_t before = app::RandomState();
    scene.core.Step();
    app::RestoreRandomState(before);
    const double nudgeX = app::Random() * 0.01 / 32767;
    const double nudgeY = app::Random() * 0.01 / 32767;
    EXPECT_EQ(scene.At(5, 5, 0).vx, static_cast<float>(nudgeX));
    EXPECT_EQ(scene.At(5, 5, 0).vy, static_cast<float>(nudgeY));
    EXPECT_EQ(scene.At(5, 5, 1).vx, static_cast<float>(-nudgeX));
}

TEST(CoreForces, ViscosityZeroNeitherGivesNorTakesWeight) {
    KeepGlobals keep;
    enginetest::SetWorld(0, 0, 0);
    SPRAYSTYLE style = enginetest::PlainStyle();
    style.Viscosity = 0;
    style.Gravity = 0;
    style.Repulsion = 0;
    Scene scene(style);
    Place(scene.core, scene.info, 5, 5, 0, 0, 0.5f, 0);
    Place(scene.core, scene.info, 5, 5, 3000, 0, -0.25f, 0.125f);
    scene.core.Step();
    EXPECT_EQ(scene.At(5, 5, 0).vx, 0.5f);
    EXPECT_EQ(scene.At(5, 5, 1).vx, -0.25f);
    EXPECT_EQ(scene.At(5, 5, 1).vy, 0.125f);
}

// Everything the pass should gather, computed over all pairs of a flat list in scan order.
struct Expected {
    double fx = 0, fy = 0, sx = 0, sy = 0, w = 0;
};

struct Loose {
    double x, y;  // cell coordinates
    float vx, vy;
    int32_t style;
};

TEST(CoreForces, GridPassMatchesAllPairsOnRandomParticles) {
    KeepGlobals keep;
    enginetest::SetWorld(0, 0, 0);
    std::mt19937 random(99);
    Core core;
    core.SetSize(160, 160);
    core.Init();
    // Two styles with different ranges and strengths, so that whose ranges apply matters.
    SPRAYSTYLE first = enginetest::PlainStyle();
    SPRAYSTYLE second = enginetest::PlainStyle();
    second.Gravity = 5;
    second.gravityArea = 11;
    second.Repulsion = 4;
    second.RepulsionArea = 9;
    second.Viscosity = 0.3;
    second.ViscosityArea = 13;
    const SPRAYSTYLE engine[2] = {enginetest::EngineStyle(first), enginetest::EngineStyle(second)};
    const int32_t infos[2] = {core.AcquireStyle(engine[0]), core.AcquireStyle(engine[1])};

    // Crowd a few cells so that full-neighbourhood pairs of every kind occur.
    std::vector<Loose> all;
    for (int32_t n = 0; n < 600; ++n) {
        const int32_t column = 2 + static_cast<int32_t>(random() % 6);
        const int32_t row = 2 + static_cast<int32_t>(random() % 6);
        app::CELL& cell = core.Members().CellAt(column, row);
        if (cell.count == app::kCellCapacity)
            continue;
        const uint16_t fx = static_cast<uint16_t>(random() % 32768);
        const uint16_t fy = static_cast<uint16_t>(random() % 32768);
        const float vx = static_cast<float>(static_cast<int32_t>(random() % 2001) - 1000) / 4096;
        const float vy = static_cast<float>(static_cast<int32_t>(random() % 2001) - 1000) / 4096;
        const int32_t style = static_cast<int32_t>(random() % 2);
        Place(core, infos[style], column, row, fx, fy, vx, vy);
    }
    // The flat list in scan order (row, column, slot).
    app::CoreMember& m = core.Members();
    for (int32_t i = 0; i < m.gridHeight; ++i) {
        for (int32_t j = 0; j < m.gridWidth; ++j) {
            const app::CELL& cell = m.CellAt(j, i);
            for (int32_t k = 0; k < cell.count; ++k) {
                const app::PARTICLE& p = cell.particles[k];
                all.push_back({j + p.fx / 32768.0, i + p.fy / 32768.0, p.vx, p.vy, p.info == infos[0] ? 0 : 1});
            }
        }
    }
    std::vector<Expected> sums(all.size());
    int32_t pairs = 0;
    for (size_t a = 0; a < all.size(); ++a) {
        for (size_t b = a + 1; b < all.size(); ++b) {
            const SPRAYSTYLE& sa = engine[all[a].style];
            const SPRAYSTYLE& sb = engine[all[b].style];
            const double dx = all[b].x - all[a].x;
            const double dy = all[b].y - all[a].y;
            const double d2 = dx * dx + dy * dy;
            if (d2 > 1.0)
                continue;
            ASSERT_GT(d2, 0.0);
            ++pairs;
            const double dist = std::sqrt(d2);
            double force = 0;
            if (1 - sa.gravityArea * dist > 0)
                force = sa.Gravity * sb.Gravity * (1 - sa.gravityArea * dist);
            if (1 - sa.RepulsionArea * d2 > 0)
                force -= sa.Repulsion * sb.Repulsion * (1 - sa.RepulsionArea * d2);
            sums[a].fx += force * dx / dist;
            sums[a].fy += force * dy / dist;
            sums[b].fx -= force * dx / dist;
            sums[b].fy -= force * dy / dist;
            const double lv = 1 - sa.ViscosityArea * dist;
            if (lv > 0) {
                sums[a].sx += all[b].vx * sb.Viscosity * lv;
                sums[a].sy += all[b].vy * sb.Viscosity * lv;
                sums[a].w += sb.Viscosity * lv;
                sums[b].sx += all[a].vx * sa.Viscosity * lv;
                sums[b].sy += all[a].vy * sa.Viscosity * lv;
                sums[b].w += sa.Viscosity * lv;
            }
        }
    }
    ASSERT_GT(pairs, 2000);
    core.Step();  // Lively 0: every particle keeps its cell and slot
    size_t n = 0;
    for (int32_t i = 0; i < m.gridHeight; ++i) {
        for (int32_t j = 0; j < m.gridWidth; ++j) {
            const app::CELL& cell = m.CellAt(j, i);
            for (int32_t k = 0; k < cell.count; ++k, ++n) {
                ASSERT_LT(n, all.size());
                const Expected& e = sums[n];
                const double visc = engine[all[n].style].Viscosity;
                double vx = all[n].vx;
                double vy = all[n].vy;
                if (e.w > 0) {
                    const double q = visc * std::min(e.w, 1.0);
                    vx = (1 - q) * vx + q * e.sx / e.w;
                    vy = (1 - q) * vy + q * e.sy / e.w;
                }
                vx += e.fx;
                vy += e.fy;
                EXPECT_NEAR(cell.particles[k].vx, vx, 1e-6) << "particle " << n;
                EXPECT_NEAR(cell.particles[k].vy, vy, 1e-6) << "particle " << n;
            }
        }
    }
    EXPECT_EQ(n, all.size());
    // The accumulator rows are clean again for the next turn.
    EXPECT_TRUE(enginetest::SumsAreClear(m));
    core.ReleaseStyle(infos[0]);
    core.ReleaseStyle(infos[1]);
}

}  // namespace
