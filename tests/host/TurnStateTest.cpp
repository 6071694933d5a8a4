#include "host/TurnState.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "host/TurnTarget.h"

namespace {

// Records what the turns did, one letter per call: S step, R redraw, H history step, U command
// update, T turn event.
class RecordingTarget : public app::TurnTarget {
  public:
    bool CanTurn() override { return canTurn; }
    void StepEngine() override {
        log += 'S';
        if (liveTurnsLeft > 0)
            --liveTurnsLeft;
    }
    void Redraw() override { log += 'R'; }
    bool HasLiveParticles() override { return liveTurnsLeft > 0; }
    void RecordHistoryStep() override { log += 'H'; }
    void UpdateCommands() override { log += 'U'; }
    void TurnEventAtCursor() override { log += 'T'; }

    bool canTurn = true;
    int liveTurnsLeft = 0;  // particles stay alive for this many more steps
    std::string log;
};

class TurnStateTest : public testing::Test {
  protected:
    // A state as the view has it after its initial update, with particles just emitted.
    void Start(int liveTurns) {
        target.liveTurnsLeft = liveTurns;
        state.Set(app::StopNotReady, false);
        state.AfterToolEvent();
        target.log.clear();
    }
    RecordingTarget target;
    app::TurnState state{target};
};

TEST_F(TurnStateTest, AFreshRunIsNotReadyAndIdleAndRunsNothing) {
    EXPECT_TRUE(state.IsSet(app::StopNotReady));
    EXPECT_TRUE(state.IsSet(app::StopIdle));
    EXPECT_FALSE(state.IsSet(app::StopPaused));
    EXPECT_FALSE(state.IdlePass(1000, 40, 1));
    EXPECT_EQ(target.log, "");
}

TEST_F(TurnStateTest, ToolEventsWakeTheTurnsOnlyWhenParticlesLive) {
    state.Set(app::StopNotReady, false);
    state.AfterToolEvent();
    EXPECT_TRUE(state.IsSet(app::StopIdle));
    target.liveTurnsLeft = 5;
    state.AfterToolEvent();
    EXPECT_FALSE(state.AnyStopReason());
    EXPECT_EQ(target.log, "U");
}

TEST_F(TurnStateTest, TurnsAreSpacedByTheTurnIntervalOnTheTickCounter) {
    Start(1000);
    std::string turnsAt;
    for (uint32_t now = 0; now <= 130; now += 5) {
        const std::size_t before = target.log.size();
        EXPECT_TRUE(state.IdlePass(now, 40, 1));
        if (target.log.size() != before)
            turnsAt += std::to_string(now) + ' ';
    }
    // The last tick starts at 0, so the first turn needs 40 ms.
    EXPECT_EQ(turnsAt, "40 80 120 ");
    EXPECT_EQ(state.LastTurnTick(), 120u);
}

TEST_F(TurnStateTest, PacingSurvivesTheWrapOfTheTickCounter) {
    Start(1000);
    // Walk the counter up to just below its wrap in steps the signed difference still sees.
    const uint32_t nearWrap = std::numeric_limits<uint32_t>::max() - 9;
    for (uint32_t tick : {0x40000000u, 0x80000000u, 0xC0000000u, nearWrap})
        state.IdlePass(tick, 1, 1);
    EXPECT_EQ(state.LastTurnTick(), nearWrap);
    target.log.clear();
    state.IdlePass(nearWrap + 5, 20, 1);  // 5 ms later: too early
    EXPECT_EQ(target.log, "");
    state.IdlePass(nearWrap + 25, 20, 1);  // wrapped past 0, 25 ms later
    EXPECT_EQ(target.log, "SRT");
}

TEST_F(TurnStateTest, RedrawsEveryDisplayingIntervalAndClosesTheStepAtTheFirstRedrawAfterDeath) {
    Start(4);  // the particles die in the fourth step
    for (int turn = 1; turn <= 6; ++turn)
        state.RunTurn(3);
    // Turn 3 redraws with particles still alive; turn 6 is the first redraw after death.
    EXPECT_EQ(target.log,
              "STSTSRT"
              "STSTSRHUT");
    EXPECT_TRUE(state.IsSet(app::StopIdle));
    EXPECT_FALSE(state.IdlePass(10000, 1, 3));
}

TEST_F(TurnStateTest, TheTurnCounterStopsAtItsCeilingUntilTheNextRedraw) {
    Start(1000);
    state.SetTurnsSinceDisplay(std::numeric_limits<int32_t>::max());
    state.RunTurn(std::numeric_limits<int32_t>::max());
    EXPECT_EQ(target.log, "SRT");
    EXPECT_EQ(state.TurnsSinceDisplay(), 0);
}

TEST_F(TurnStateTest, PauseStopsAtOnceAndResumesOnTheNextPass) {
    Start(1000);
    state.TogglePause();
    EXPECT_FALSE(state.IdlePass(100, 1, 1));
    EXPECT_EQ(target.log, "U");
    state.TogglePause();
    EXPECT_TRUE(state.IdlePass(101, 1, 1));
    EXPECT_EQ(target.log, "UUSRT");
}

TEST_F(TurnStateTest, AHiddenViewSkipsTheWholeTurnButKeepsThePace) {
    Start(1000);
    target.canTurn = false;
    EXPECT_TRUE(state.IdlePass(50, 40, 1));
    EXPECT_EQ(target.log, "");
    EXPECT_EQ(state.LastTurnTick(), 50u);
}

}  // namespace
