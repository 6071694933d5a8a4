// The engine's turn against its plain reading (PlainTurn): the same particles, the same random
// sequence and the same snapshots must leave the same bytes in every live slot, the same row
// records, the same references and the generator in the same state, turn after turn.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <vector>

#include "engine/Core.h"
#include "tests/engine/EngineTestSupport.h"
#include "tests/engine/PlainTurn.h"

namespace {

using app::Core;
using app::SPRAYSTYLE;

// Styles that between them reach every branch of a turn: ranges beyond and within one cell, no
// viscosity, no forces, a speed limit, spin with wiggle and every split mode.
std::vector<SPRAYSTYLE> Styles() {
    std::vector<SPRAYSTYLE> styles(6, enginetest::PlainStyle());
    styles[0] = SPRAYSTYLE();
    styles[1].Gravity = 5;
    styles[1].gravityArea = 11;
    styles[1].Repulsion = 4;
    styles[1].RepulsionArea = 16;
    styles[1].Viscosity = 0.3;
    styles[1].ViscosityArea = 16;
    styles[1].UseLimitedSpeed = true;
    styles[1].LimitedSpeed = 0.4;
    styles[2].Viscosity = 0;
    styles[2].Gravity = 0;
    styles[2].Repulsion = 0;
    styles[2].UseSpin = true;
    styles[2].SpinStep = 2;
    styles[2].SpinAngleWiggle = 40;
    styles[3].UseSplit = true;
    styles[3].SplitMode = app::SplitFork;
    styles[3].SplitStep1 = 2;
    styles[3].SplitRate = 0.7;
    styles[3].SplitAngleWiggle = 25;
    styles[3].Life = 9;
    styles[4].UseSplit = true;
    styles[4].SplitMode = app::SplitTwoBranches;
    styles[4].SplitStep1 = 3;
    styles[4].SplitStep2 = 2;
    styles[4].SplitLag = 1;
    styles[4].SplitRate = 1;
    styles[4].Brake = 0.3;
    styles[5].Repulsion = 0;
    styles[5].Gravity = 0.01;
    styles[5].Viscosity = 1;
    styles[5].UseSpin = true;
    styles[5].SpinStep = 3;
    styles[5].Life = 6;
    for (SPRAYSTYLE& s : styles)
        s.ToEngineUnits();
    return styles;
}

struct Twins {
    Core fast, plain;
    std::vector<int32_t> infos;

    Twins(int32_t width, int32_t height, int32_t threads) {
        for (Core* core : {&fast, &plain}) {
            core->SetSize(width, height);
            core->Init();
        }
        fast.SetThreadCount(threads);
        fast.Members().fewestToShare = 0;
        for (const SPRAYSTYLE& s : Styles()) {
            infos.push_back(fast.AcquireStyle(s));
            EXPECT_EQ(plain.AcquireStyle(s), infos.back());
        }
    }
    ~Twins() {
        for (int32_t info : infos) {
            fast.ReleaseStyle(info);
            plain.ReleaseStyle(info);
        }
    }

    // Particles anywhere in the inner grid, a third crowded into a few cells, some on the same
    // spot or exactly one cell apart.
    void Sow(std::mt19937& random, int32_t count) {
        const app::CoreMember& m = fast.Members();
        std::uniform_int_distribution<int32_t> column(1, m.gridWidth - 2), row(1, m.gridHeight - 2);
        std::uniform_int_distribution<int32_t> fraction(0, 32767), crowd(0, 2), style(0, 5);
        std::uniform_real_distribution<float> velocity(-0.6f, 0.6f);
        app::PARTICLE last{};
        int32_t lastColumn = 1, lastRow = 1;
        for (int32_t n = 0; n < count; ++n) {
            int32_t j = column(random), i = row(random);
            if (n % 3 == 0)
                j = std::min(m.gridWidth - 2, 2 + crowd(random)), i = std::min(m.gridHeight - 2, 2 + crowd(random));
            app::PARTICLE p{static_cast<uint16_t>(fraction(random)),
                            static_cast<uint16_t>(fraction(random)),
                            velocity(random),
                            velocity(random),
                            static_cast<int32_t>(random() % 7),
                            infos[style(random)],
                            static_cast<int32_t>(random() % 3),
                            static_cast<uint32_t>(random())};
            if (n % 11 == 5) {
                p.fx = last.fx, p.fy = last.fy, j = lastColumn, i = lastRow;  // the same spot
            } else if (n % 11 == 7 && lastColumn + 1 < m.gridWidth - 1) {
                p.fx = last.fx, p.fy = last.fy, j = lastColumn + 1, i = lastRow;  // one cell to the right
            }
            if (fast.Members().CellAt(j, i).count == app::kCellCapacity)
                continue;
            for (Core* core : {&fast, &plain}) {
                app::PARTICLE& placed =
                    enginetest::Place(*core, p.info, j, i, p.fx, p.fy, p.vx, p.vy, p.age, p.generations);
                placed.colour = p.colour;
            }
            last = p, lastColumn = j, lastRow = i;
        }
    }

    // One turn of each from the same generator state; the states after them must agree too.
    void Turn() {
        const uint32_t before = app::RandomState();
        fast.Step();
        const uint32_t after = app::RandomState();
        app::RestoreRandomState(before);
        enginetest::PlainTurn(plain.Members()).Run();
        ASSERT_EQ(app::RandomState(), after);
    }

    void ExpectSame() const {
        const app::CoreMember& a = fast.Members();
        const app::CoreMember& b = plain.Members();
        for (int32_t c = 0; c < a.cells.Count(); ++c) {
            const app::CELL& x = a.cells.ConstData()[c];
            const app::CELL& y = b.cells.ConstData()[c];
            ASSERT_EQ(x.count, y.count) << "cell " << c;
            ASSERT_EQ(std::memcmp(x.particles, y.particles, sizeof(app::PARTICLE) * x.count), 0) << "cell " << c;
        }
        for (int32_t i = 0; i < a.gridHeight; ++i) {
            const app::CELLROW& x = a.rows.ConstData()[i];
            const app::CELLROW& y = b.rows.ConstData()[i];
            ASSERT_EQ(x.count, y.count) << "row " << i;
            if (x.count > 0) {
                ASSERT_TRUE(x.first == y.first && x.last == y.last) << "row " << i;
            }
        }
        ASSERT_EQ(a.infoList.Count(), b.infoList.Count());
        for (int32_t k = 0; k < a.infoList.Count(); ++k)
            ASSERT_EQ(a.infoList.Item(k).references, b.infoList.Item(k).references) << "snapshot " << k;
        ASSERT_TRUE(enginetest::SumsAreClear(a));
    }
};

struct Case {
    int32_t width, height;
    int32_t gravityType;
    double gravityX, gravityY, lively;
    int32_t particles;  // sown before each of the first turns
};

// With one thread and with several, whatever the bands the rows are cut into.
TEST(TurnExactness, EveryLiveSlotMatchesThePlainTurn) {
    const Case cases[] = {
        {160, 160, app::GravityParallel, 0.0, 0.5, 0.5, 700}, {300, 90, app::GravityRadial, 0.3, -0.2, 1.0, 900},
        {50, 400, app::GravityParallel, -0.4, 0.0, 0.0, 400}, {1, 1, app::GravityParallel, 0.0, 0.5, 0.5, 60},
        {500, 300, app::GravityRadial, 0.0, 0.7, 0.7, 2500},
    };
    for (const int32_t threads : {1, 2, 3, 5}) {
        std::mt19937 random(2024);
        for (const Case& c : cases) {
            enginetest::KeepGlobals keep;
            enginetest::SetWorld(c.gravityX, c.gravityY, c.lively, c.gravityType);
            Twins twins(c.width, c.height, threads);
            ASSERT_EQ(twins.fast.ThreadCount(), threads);
            for (int32_t turn = 0; turn < 12; ++turn) {
                if (turn < 4)
                    twins.Sow(random, c.particles);
                twins.Turn();
                twins.ExpectSame();
                if (HasFatalFailure())
                    FAIL() << c.width << "x" << c.height << " turn " << turn << ", " << threads << " threads";
            }
        }
    }
}

}  // namespace
