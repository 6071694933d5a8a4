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

// The ticks at which turns ran, as offsets from `start`, for idle passes every 5 ms from
// `start` on (the counter wrapping where it must).
std::string TurnOffsets(uint32_t start, uint32_t span, int32_t turnInterval) {
    RecordingTarget target;
    target.liveTurnsLeft = 1000;
    app::TurnState state{target};
    state.Set(app::StopNotReady, false);
    state.AfterToolEvent();
    std::string offsets;
    for (uint32_t offset = 0; offset <= span; offset += 5) {
        const std::size_t before = target.log.size();
        EXPECT_TRUE(state.IdlePass(start + offset, turnInterval, 1));
        if (target.log.size() != before)
            offsets += std::to_string(offset) + ' ';
    }
    return offsets;
}

TEST(TurnPacing, TheFirstPassTurnsWhereverTheCounterStandsAndTheIntervalHoldsAcrossTheWrap) {
    // Just after the machine started, either side of 2^31 (25 days up), and just before the
    // counter wraps at 2^32 (49.7 days), so that the pace crosses both.
    for (uint32_t start : {0u, 7u, 0x7FFFFFE0u, 0x7FFFFFFFu, 0x80000000u, 0x80000001u, 0xFFFFFFE2u, 0xFFFFFFFFu}) {
        SCOPED_TRACE(start);
        EXPECT_EQ(TurnOffsets(start, 130, 40), "0 40 80 120 ");
        EXPECT_EQ(TurnOffsets(start, 20, 1), "0 5 10 15 20 ");
    }
}

TEST_F(TurnStateTest, AfterAStopTheIntervalStillHoldsHoweverLongTheStopWas) {
    Start(1000);
    const uint32_t first = 0xFFFFFF00u;
    EXPECT_TRUE(state.IdlePass(first, 40, 1));
    state.TogglePause();
    EXPECT_FALSE(state.IdlePass(first + 10, 40, 1));
    state.TogglePause();
    target.log.clear();
    EXPECT_TRUE(state.IdlePass(first + 20, 40, 1));  // resumed, but only 20 ms after the last turn
    EXPECT_EQ(target.log, "");
    EXPECT_TRUE(state.IdlePass(first + 40, 40, 1));
    EXPECT_EQ(target.log, "SRT");
    // Paused for more than 2^31 ms: the first pass afterwards turns, it does not wait 24 more days.
    state.TogglePause();
    state.TogglePause();
    target.log.clear();
    EXPECT_TRUE(state.IdlePass(first + 40 + 0x80000000u + 3, 40, 1));
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
