#include <gtest/gtest.h>

#include <random>

#include "engine/Core.h"
#include "tests/engine/EngineTestSupport.h"

namespace {

// The passes visit only the columns a row says it holds, so a row record that drifts from its
// cells loses particles.
void ExpectRowMatchesCells(const app::CELLROW& row, const app::CELL* cells, int32_t width, int32_t i) {
    int32_t count = 0;
    for (int32_t j = 0; j < width; ++j) {
        const int32_t n = cells[i * width + j].count;
        count += n;
        if (n > 0) {
            ASSERT_LE(row.first, j) << "row " << i;
            ASSERT_GE(row.last, j) << "row " << i;
        }
    }
    ASSERT_EQ(row.count, count) << "row " << i;
}

void ExpectRowCountsMatchCells(app::Core& core) {
    app::CoreMember& m = core.Members();
    for (int32_t i = 0; i < m.gridHeight; ++i) {
        ExpectRowMatchesCells(m.rows.Data()[i], m.cells.Data(), m.gridWidth, i);
        ExpectRowMatchesCells(m.nextRows.Data()[i], m.nextCells.Data(), m.gridWidth, i);
    }
}

TEST(CellRows, FollowEveryEmitStepSplitAndErase) {
    enginetest::KeepGlobals keep;
    enginetest::SetWorld(0.0, 0.3, 0.5);
    app::Core core;
    core.SetSize(200, 150);
    core.Init();
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
