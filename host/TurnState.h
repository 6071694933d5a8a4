#pragma once

#include <cstdint>
#include <memory>

namespace app {

class TurnTarget;
class TurnStateMember;

// Why turns are not running.  While any reason is set the run's message loop blocks instead of
// polling.
enum StopReason : int32_t {
    StopPaused = 0,     // the user's pause command
    StopInactive = 1,   // the application was deactivated
    StopSuspended = 2,  // new options are being applied, or the view is going
    StopNotReady = 3,   // before the view's initial update, and once the frame closes
    StopUnused = 4,
    StopIdle = 5,  // no particle alive
    kStopReasonCount = 6,
};

// The turn state of a filter run: the stop reasons, the turns since the last redraw and the tick
// of the last turn, with the idle routine's pacing and the order of one turn.
class TurnState {
  public:
    explicit TurnState(TurnTarget& target);
    ~TurnState();
    TurnState(const TurnState&) = delete;
    TurnState& operator=(const TurnState&) = delete;

    bool IsSet(StopReason reason) const;
    bool AnyStopReason() const;
    // Changes one reason; returns whether it changed.  Callers that act for a command or a turn
    // follow a change with UpdateCommands.
    bool Set(StopReason reason, bool on);
    // The pause command: toggles the reason and asks for a command update.
    void TogglePause();
    // After a tool event: particles alive again wake the turns up.
    void AfterToolEvent();

    // One pass of the idle routine at tick `now`: runs a turn when `turnInterval` milliseconds
    // have passed since the last one (a signed 32-bit difference, so the wrap of the counter does
    // no harm), and on the run's first pass whatever the counter shows.  Returns whether idle
    // work is still wanted, i.e. false while stopped.
    bool IdlePass(uint32_t now, int32_t turnInterval, int32_t displayingInterval);
    // One turn: step, count, redraw every `displayingInterval` turns and, on a redraw turn
    // with nothing alive, go idle and close the history step; then the turn event.
    void RunTurn(int32_t displayingInterval);

    int32_t TurnsSinceDisplay() const;
    uint32_t LastTurnTick() const;
    // For tests of the counter's ceiling.
    void SetTurnsSinceDisplay(int32_t turns);

  private:
    bool TurnIsDue(uint32_t now, int32_t turnInterval) const;

    std::unique_ptr<TurnStateMember> m_;
};

}  // namespace app
