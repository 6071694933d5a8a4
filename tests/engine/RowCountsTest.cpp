#include <gtest/gtest.h>

#include <random>

#include "engine/Core.h"
#include "tests/engine/EngineTestSupport.h"

namespace {

// The passes skip rows by their counts, so a count that drifts from the cells loses particles.
void ExpectRowCountsMatchCells(app::Core& core) {
    app::CoreMember& m = core.Members();
    for (int32_t i = 0; i < m.gridHeight; ++i) {
        int32_t inCells = 0, inNext = 0;
        for (int32_t j = 0; j < m.gridWidth; ++j) {
            inCells += m.cells.Data()[i * m.gridWidth + j].count;
            inNext += m.nextCells.Data()[i * m.gridWidth + j].count;
        }
        ASSERT_EQ(m.rowCounts.Data()[i], inCells) << "row " << i;
        ASSERT_EQ(m.nextRowCounts.Data()[i], inNext) << "next row " << i;
    }
}

TEST(RowCounts, FollowEveryEmitStepSplitAndErase) {
    enginetest::KeepGlobals keep;
    enginetest::SetWorld(0.0, 0.3, 0.5);
    app::Core core;
    core.SetSize(200, 150);
    core.Init();
    core.SetDrawPass(nullptr);
    app::SPRAYSTYLE style;
    style.Life = 25;
    style.UseSplit = true;
    style.SplitStep1 = 4;
    style.SplitGenerations = 2;
    const int32_t info = core.AcquireStyle(enginetest::EngineStyle(style));
    std::mt19937 random(7);
    std::uniform_real_distribution<double> x(-40, 240), y(-40, 190), v(-0.5, 0.5);
    for (int32_t turn = 0; turn < 60; ++turn) {
        for (int32_t n = 0; n < 40; ++n)
            core.Emit({{v(random), v(random)}, {x(random), y(random)}, nullptr, info, 2});
        ExpectRowCountsMatchCells(core);
        core.Step();
        ExpectRowCountsMatchCells(core);
        if (turn == 30) {
            core.EraseAll();
            ExpectRowCountsMatchCells(core);
        }
    }
    core.ReleaseStyle(info);
    EXPECT_GT(core.ParticleCount(), 0);
}

}  // namespace
