#include <gtest/gtest.h>

#include "engine/ParticleDrawer.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <random>
#include <vector>

#include "engine/Core.h"
#include "tests/engine/EngineTestSupport.h"

namespace {

using app::Core;
using app::SPRAYSTYLE;
using enginetest::KeepGlobals;
using enginetest::Place;

struct Scene {
    Core core;
    int32_t info = -1;

    explicit Scene(SPRAYSTYLE user) {
        core.SetSize(160, 160);
        core.Init();
        info = core.AcquireStyle(enginetest::EngineStyle(user));
    }

    // Drops the scene's own reference, leaving only the particles'.
    void LetGo() {
        if (info >= 0)
            core.ReleaseStyle(info);
        info = -1;
    }

    std::vector<app::PARTICLE> Particles() {
        std::vector<app::PARTICLE> all;
        app::CoreMember& m = core.Members();
        for (int32_t c = 0; c < m.cells.Count(); ++c) {
            for (int32_t k = 0; k < m.cells.Data()[c].count; ++k)
                all.push_back(m.cells.Data()[c].particles[k]);
        }
        return all;
    }
};

SPRAYSTYLE Lonely() {
    SPRAYSTYLE style = enginetest::PlainStyle();
    style.Gravity = 0;
    style.Repulsion = 0;
    style.Viscosity = 0;
    return style;
}

TEST(CoreMotion, ParticleWithLifeLMovesLTimesAndDiesInTheNextTurn) {
    KeepGlobals keep;
    enginetest::SetWorld(0, 0, 1);
    SPRAYSTYLE style = Lonely();
    style.Life = 3;
    Scene scene(style);
    Place(scene.core, scene.info, 5, 5, 0, 0, 0.25f, 0);
    scene.LetGo();
    for (int turn = 1; turn <= 3; ++turn) {
        scene.core.Step();
        ASSERT_EQ(scene.core.ParticleCount(), 1);
        EXPECT_EQ(scene.Particles()[0].age, turn);
    }
    scene.core.Step();
    EXPECT_EQ(scene.core.ParticleCount(), 0);
    EXPECT_FALSE(scene.core.IsAlive());

    style.Life = 0;
    Scene once(style);
    Place(once.core, once.info, 5, 5, 0, 0);
    once.LetGo();
    once.core.Step();
    EXPECT_FALSE(once.core.IsAlive());
}

TEST(CoreMotion, MoveUsesLivelyAndDropsAtTheBorderRing) {
    KeepGlobals keep;
    enginetest::SetWorld(0, 0, 0.5);
    Scene scene(Lonely());
    Place(scene.core, scene.info, 5, 5, 0, 16384, 1.0f, 0);   // half a cell to the right
    Place(scene.core, scene.info, 1, 6, 100, 0, -0.5f, 0);    // into column 0: dropped
    Place(scene.core, scene.info, 11, 3, 30000, 0, 0.5f, 0);  // into the last column (12): dropped
    Place(scene.core, scene.info, 3, 11, 0, 30000, 0, 0.5f);  // into the last row (12): dropped
    Place(scene.core, scene.info, 11, 7, 0, 0, std::nanf(""), 0);
    scene.core.Step();
    ASSERT_EQ(scene.core.ParticleCount(), 1);
    const app::PARTICLE& p = scene.core.Members().CellAt(5, 5).particles[0];
    EXPECT_EQ(p.fx, 16384);
    EXPECT_EQ(p.fy, 16384);
    EXPECT_EQ(scene.core.Members().infoList.Item(scene.info).references, 2);
}

TEST(CoreMotion, ForkModeDoublesEveryTenTurnsUntilGenerationsRunOut) {
    KeepGlobals keep;
    enginetest::SetWorld(0, 0, 0);
    SPRAYSTYLE style = Lonely();
    style.UseSplit = true;
    style.SplitMode = 1;
    style.SplitStep1 = 10;
    style.SplitRate = 1;
    style.Life = 100;
    Scene scene(style);
    Place(scene.core, scene.info, 5, 5, 0, 0, 0.5f, 0, 0, 3);
    scene.LetGo();
    std::map<int, int> countAfterAge;
    for (int age = 0; age < 45; ++age) {
        scene.core.Step();
        countAfterAge[age] = scene.core.ParticleCount();
    }
    EXPECT_EQ(countAfterAge[9], 1);
    EXPECT_EQ(countAfterAge[10], 2);
    EXPECT_EQ(countAfterAge[19], 2);
    EXPECT_EQ(countAfterAge[20], 4);
    EXPECT_EQ(countAfterAge[30], 8);
    EXPECT_EQ(countAfterAge[44], 8);
    for (const app::PARTICLE& p : scene.Particles())
        EXPECT_EQ(p.generations, 0);
    // A fork turns both branches; none goes on unturned.
    for (const app::PARTICLE& p : scene.Particles())
        EXPECT_NE(p.vy, 0.0f);
}

TEST(CoreMotion, TwoBranchModeFollowsBothStepsAndTheLag) {
    KeepGlobals keep;
    enginetest::SetWorld(0, 0, 0);
    SPRAYSTYLE style = Lonely();
    style.UseSplit = true;
    style.SplitMode = 2;
    style.SplitStep1 = 10;
    style.SplitStep2 = 10;
    style.SplitLag = 5;
    style.SplitRate = 1;
    style.SplitAngle1 = 0.5;
    style.SplitAngle2 = -0.25;
    style.Life = 100;
    Scene scene(style);
    Place(scene.core, scene.info, 5, 5, 0, 0, 0.5f, 0, 0, 1);
    scene.LetGo();
    std::vector<int> counts;
    for (int age = 0; age < 16; ++age) {
        scene.core.Step();
        counts.push_back(scene.core.ParticleCount());
    }
    // Out of age 5 a SplitAngle2 branch leaves, out of age 10 a SplitAngle1 branch; the branches
    // have no generations left, and the particle going on keeps its own.
    EXPECT_EQ(counts[4], 1);
    EXPECT_EQ(counts[5], 2);
    EXPECT_EQ(counts[9], 2);
    EXPECT_EQ(counts[10], 3);
    EXPECT_EQ(counts[15], 4);
    std::vector<double> angles;
    for (const app::PARTICLE& p : scene.Particles())
        angles.push_back(std::atan2(-p.vy, p.vx));
    std::sort(angles.begin(), angles.end());
    EXPECT_NEAR(angles[0], -0.25, 1e-6);
    EXPECT_NEAR(angles[3], 0.5, 1e-6);

    style.SplitLag = 0;
    Scene together(style);
    Place(together.core, together.info, 5, 5, 0, 0, 0.5f, 0, 0, 1);
    together.LetGo();
    for (int age = 0; age <= 10; ++age)
        together.core.Step();
    EXPECT_EQ(together.core.ParticleCount(), 3);  // both branches and the particle itself
}

TEST(CoreMotion, SpinTurnsOnMultiplesOfItsStepButNeverAtAgeZero) {
    KeepGlobals keep;
    enginetest::SetWorld(0, 0, 0);
    SPRAYSTYLE style = Lonely();
    style.UseSpin = true;
    style.SpinStep = 3;
    style.SpinAngle = 0.5;
    Scene scene(style);
    Place(scene.core, scene.info, 5, 5, 0, 0, 0.5f, 0);
    std::vector<double> angles;
    for (int turn = 0; turn < 7; ++turn) {
        scene.core.Step();
        const app::PARTICLE p = scene.Particles()[0];
        angles.push_back(std::atan2(-p.vy, p.vx));
    }
    // Ages 0 ... 6 were updated; 3 and 6 turn counter-clockwise on the screen (y points down).
    EXPECT_NEAR(angles[2], 0.0, 1e-7);
    EXPECT_NEAR(angles[3], 0.5, 1e-6);
    EXPECT_NEAR(angles[5], 0.5, 1e-6);
    EXPECT_NEAR(angles[6], 1.0, 1e-6);
}

TEST(CoreMotion, StepsBelowOneNeverReachTheTurn) {
    KeepGlobals keep;
    enginetest::SetWorld(0, 0, 0);
    SPRAYSTYLE style = Lonely();
    style.ToEngineUnits();
    style.UseSpin = true;
    style.UseSplit = true;
    style.SplitMode = 2;
    style.SplitRate = 1;
    style.SpinStep = 0;
    style.SplitStep1 = -4;
    style.SplitStep2 = 0;
    Core core;
    core.SetSize(160, 160);
    core.Init();
    const int32_t info = core.AcquireStyle(style);
    const app::PARTICLE_INFO_KEY& key = core.Members().infoList.Item(info).key;
    EXPECT_EQ(key.SpinStep, 1);
    EXPECT_EQ(key.SplitStep1, 1);
    EXPECT_EQ(key.SplitStep2, 1);
    Place(core, info, 5, 5, 0, 0, 0.1f, 0, 0, 1);
    // Steps of 1: from age 1 on, every turn both branches leave and the particle goes on.
    for (int turn = 0; turn < 3; ++turn)
        core.Step();
    EXPECT_EQ(core.ParticleCount(), 5);
    core.ReleaseStyle(info);
}

TEST(CoreMotion, SpeedLimitAndBrakeActAfterTheForces) {
    KeepGlobals keep;
    enginetest::SetWorld(0, 16, 0);  // one cell per turn per turn, straight down
    SPRAYSTYLE limited = Lonely();
    limited.UseLimitedSpeed = true;
    limited.LimitedSpeed = 0;
    Scene stopped(limited);
    Place(stopped.core, stopped.info, 5, 5, 0, 0, 0.5f, 0.25f);
    stopped.core.Step();
    EXPECT_EQ(stopped.Particles()[0].vx, 0.0f);
    EXPECT_EQ(stopped.Particles()[0].vy, 0.0f);

    limited.LimitedSpeed = 8;  // half a cell
    Scene capped(limited);
    Place(capped.core, capped.info, 5, 5, 0, 0, 0, 0);
    capped.core.Step();
    EXPECT_FLOAT_EQ(capped.Particles()[0].vy, 0.5f);

    SPRAYSTYLE braking = Lonely();
    braking.Brake = 1;
    Scene halted(braking);
    Place(halted.core, halted.info, 5, 5, 0, 0, 0.5f, 0);
    halted.core.Step();
    EXPECT_EQ(halted.Particles()[0].vy, 0.0f);
    braking.Brake = 0.5;
    Scene halved(braking);
    Place(halved.core, halved.info, 5, 5, 0, 0, 0.5f, 0);
    halved.core.Step();
    EXPECT_EQ(halved.Particles()[0].vx, 0.25f);
    EXPECT_EQ(halved.Particles()[0].vy, 0.5f);
}

TEST(CoreMotion, AThirtyThirdArrivalIsDroppedInScanOrder) {
    KeepGlobals keep;
    enginetest::SetWorld(0, 0, 1);
    Scene scene(Lonely());
    // 32 particles from the cell to the left, then 2 more from the cell below: all into (5, 5).
    for (int k = 0; k < 32; ++k)
        Place(scene.core, scene.info, 4, 5, 16384, 100, 1.0f, 0, 0, 7);
    Place(scene.core, scene.info, 5, 6, 0, 16384, 0, -1.0f, 0, 8);
    Place(scene.core, scene.info, 5, 6, 0, 16384, 0, -1.0f, 0, 9);
    scene.core.Step();
    const app::CELL& cell = scene.core.Members().CellAt(5, 5);
    EXPECT_EQ(cell.count, 32);
    for (int k = 0; k < cell.count; ++k)
        EXPECT_EQ(cell.particles[k].generations, 7);
    EXPECT_EQ(scene.core.Members().infoList.Item(scene.info).references, 33);
}

TEST(CoreMotion, RadialGravityPullsTowardTheCentre) {
    KeepGlobals keep;
    enginetest::SetWorld(0, 1, 0, app::GravityRadial);
    Scene scene(Lonely());
    // 13 x 13 cells: the centre is (6, 6).
    Place(scene.core, scene.info, 11, 6, 0, 0);
    Place(scene.core, scene.info, 6, 6, 0, 0);
    scene.core.Step();
    EXPECT_DOUBLE_EQ(scene.core.Members().CellAt(11, 6).particles[0].vx, -0.0625);
    EXPECT_EQ(scene.core.Members().CellAt(11, 6).particles[0].vy, 0.0f);
    EXPECT_EQ(scene.core.Members().CellAt(6, 6).particles[0].vx, 0.0f);
    EXPECT_EQ(scene.core.Members().CellAt(6, 6).particles[0].vy, 0.0f);
}

// After any mix of strokes, turns and erasing, each snapshot is held by exactly its particles
// and the strokes that are still open.
TEST(CoreReferences, CountsMatchHoldersThroughRandomStrokesTurnsAndErases) {
    KeepGlobals keep;
    enginetest::SetWorld(0.3, 0.5, 0.5);
    std::mt19937 random(7);
    Core core;
    core.SetSize(120, 90);
    core.Init();
    std::vector<app::STROKESTATE> open;
    auto check = [&](int round) {
        std::map<int32_t, int32_t> holders = enginetest::HoldersByInfo(core);
        for (const app::STROKESTATE& stroke : open)
            ++holders[stroke.snapshot];
        const app::ParticleInfoList& list = core.Members().infoList;
        int32_t live = 0;
        for (int32_t index = 0; index < list.Count(); ++index) {
            if (holders.count(index)) {
                ASSERT_EQ(list.Item(index).references, holders[index]) << "round " << round << " item " << index;
                ++live;
            }
        }
        EXPECT_EQ(static_cast<int32_t>(holders.size()), live);
        EXPECT_EQ(core.IsAlive(), !holders.empty());
    };
    for (int round = 0; round < 400; ++round) {
        const int action = static_cast<int>(random() % 10);
        if (action < 2 || open.empty()) {
            SPRAYSTYLE style;
            style.Life = static_cast<int32_t>(random() % 40);
            style.Coloring = static_cast<int32_t>(random() % 4);
            style.Color[0] = 0xFF0000FFu;
            style.Color[1] = static_cast<uint32_t>(random());
            style.UseSplit = random() % 2 == 0;
            style.SplitRate = 0.3;
            style.SplitMode = static_cast<int32_t>(random() % 3);
            style.SplitStep1 = 1 + static_cast<int32_t>(random() % 3);
            style.Count = static_cast<int32_t>(random() % 30);
            style.Size = 40;
            style.Velocity = {static_cast<double>(random() % 20) - 10, 3};
            style.ToEngineUnits();
            app::STROKESTATE stroke;
            stroke.style = style;
            stroke.snapshot = core.AcquireStyle(style);
            core.EmitFirst(stroke,
                           {static_cast<double>(random() % 160) - 20, static_cast<double>(random() % 130) - 20});
            open.push_back(stroke);
        } else if (action < 7) {
            core.Step();
            for (app::STROKESTATE& stroke : open) {
                core.EmitBatch(stroke, {stroke.lastPosition.x + static_cast<double>(random() % 21) - 10,
                                        stroke.lastPosition.y + static_cast<double>(random() % 21) - 10});
            }
        } else if (action < 9) {
            const size_t which = random() % open.size();
            core.ReleaseStyle(open[which].snapshot);
            open.erase(open.begin() + static_cast<std::ptrdiff_t>(which));
        } else if (random() % 4 == 0) {
            core.EraseAll();
        }
        check(round);
    }
    for (const app::STROKESTATE& stroke : open)
        core.ReleaseStyle(stroke.snapshot);
    open.clear();
    for (int turn = 0; turn < 60 && core.IsAlive(); ++turn)
        core.Step();
    EXPECT_FALSE(core.IsAlive());
    EXPECT_EQ(core.ParticleCount(), 0);
}

TEST(CoreReferences, SetModeErasesEveryParticle) {
    KeepGlobals keep;
    Scene scene(Lonely());
    Place(scene.core, scene.info, 5, 5, 0, 0);
    Place(scene.core, scene.info, 7, 3, 0, 0);
    scene.LetGo();
    EXPECT_TRUE(scene.core.IsAlive());
    scene.core.SetMode(1);
    EXPECT_EQ(scene.core.Mode(), 1);
    EXPECT_FALSE(scene.core.IsAlive());
    EXPECT_EQ(scene.core.ParticleCount(), 0);
}

}  // namespace

namespace {

// A turn works only in the storage that Init made: the grids trade places, nothing else moves.
TEST(CoreMotion, ATurnKeepsAllItsStorageAndOnlyExchangesTheGrids) {
    KeepGlobals keep;
    enginetest::SetWorld(0, 0.5, 0.5);
    Scene scene(enginetest::PlainStyle());
    for (int k = 0; k < 200; ++k) {
        Place(scene.core, scene.info, 1 + k % 11, 1 + (k / 11) % 11, static_cast<uint16_t>(k * 97 % 32768),
              static_cast<uint16_t>(k * 51 % 32768), 0.01f * (k % 7), -0.02f * (k % 5));
    }
    app::CoreMember& m = scene.core.Members();
    const void* cells = m.cells.ConstData();
    const void* next = m.nextCells.ConstData();
    const void* sums = m.bands[0].sums.ConstData();
    const void* items = m.infoList.Items();
    scene.core.Step();
    EXPECT_EQ(m.cells.ConstData(), next);
    EXPECT_EQ(m.nextCells.ConstData(), cells);
    scene.core.Step();
    EXPECT_EQ(m.cells.ConstData(), cells);
    EXPECT_EQ(m.bands[0].sums.ConstData(), sums);
    EXPECT_EQ(m.infoList.Items(), items);
    EXPECT_GT(scene.core.ParticleCount(), 150);
}

// The drawing pass comes first in a turn and sees the particles where the last turn left them.
class CountDrawn : public app::ParticleDrawer {
  public:
    int particles = -1;
    int32_t age = -1;

    void Draw(const app::PARTICLEGRID& grid) override {
        particles = 0;
        for (int32_t c = 0; c < grid.gridWidth * grid.gridHeight; ++c) {
            particles += grid.cells[c].count;
            if (grid.cells[c].count > 0)
                age = grid.cells[c].particles[0].age;
        }
    }
};

TEST(CoreMotion, TheDrawingPassRunsFirstOnTheLiveParticles) {
    KeepGlobals keep;
    SPRAYSTYLE style = Lonely();
    style.Life = 1;
    Scene scene(style);
    CountDrawn drawn;
    scene.core.SetDrawer(&drawn);
    Place(scene.core, scene.info, 5, 5, 0, 0);
    scene.LetGo();
    scene.core.Step();
    EXPECT_EQ(drawn.particles, 1);
    EXPECT_EQ(drawn.age, 0);
    scene.core.Step();  // drawn once more in its last turn, then removed
    EXPECT_EQ(drawn.particles, 1);
    EXPECT_EQ(drawn.age, 1);
    EXPECT_FALSE(scene.core.IsAlive());
    scene.core.Step();
    EXPECT_EQ(drawn.particles, 0);
}

}  // namespace
