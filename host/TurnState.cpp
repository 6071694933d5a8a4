#include "host/TurnState.h"

#include <limits>

#include "host/TurnTarget.h"

namespace app {

class TurnStateMember {
  public:
    explicit TurnStateMember(TurnTarget& target) : target(target) {}

    TurnTarget& target;
    // Not ready until the view's initial update; idle until the first particles are emitted.
    bool stop[kStopReasonCount] = {false, false, false, true, false, true};
    int32_t turnsSinceDisplay = 0;
    uint32_t lastTurnTick = 0;
    bool turned = false;  // whether lastTurnTick holds the tick of a turn yet
};

TurnState::TurnState(TurnTarget& target) : m_(std::make_unique<TurnStateMember>(target)) {}

TurnState::~TurnState() = default;

bool TurnState::IsSet(StopReason reason) const {
    return m_->stop[reason];
}

bool TurnState::AnyStopReason() const {
    for (bool reason : m_->stop)
        if (reason)
            return true;
    return false;
}

bool TurnState::Set(StopReason reason, bool on) {
    if (m_->stop[reason] == on)
        return false;
    m_->stop[reason] = on;
    return true;
}

void TurnState::TogglePause() {
    Set(StopPaused, !IsSet(StopPaused));
    m_->target.UpdateCommands();
}

void TurnState::AfterToolEvent() {
    if (m_->target.HasLiveParticles() && Set(StopIdle, false))
        m_->target.UpdateCommands();
}

bool TurnState::IdlePass(uint32_t now, int32_t turnInterval, int32_t displayingInterval) {
    if (AnyStopReason())
        return false;
    if (TurnIsDue(now, turnInterval)) {
        RunTurn(displayingInterval);
        m_->lastTurnTick = now;
        m_->turned = true;
    }
    return true;
}

bool TurnState::TurnIsDue(uint32_t now, int32_t turnInterval) const {
    // The first turn of a run waits for nothing: the counter may stand anywhere, 2^31 and above
    // included, and a difference to a tick that was never taken means nothing.
    if (!m_->turned)
        return true;
    const auto elapsed = static_cast<int32_t>(now - m_->lastTurnTick);
    // The counter only runs forward, so a negative difference is a wait of 2^31 ms or more (turns
    // stopped that long), not a turn in the future.
    return elapsed >= turnInterval || elapsed < 0;
}

void TurnState::RunTurn(int32_t displayingInterval) {
    TurnTarget& target = m_->target;
    if (!target.CanTurn())
        return;
    target.StepEngine();
    if (m_->turnsSinceDisplay < std::numeric_limits<int32_t>::max())
        ++m_->turnsSinceDisplay;
    if (m_->turnsSinceDisplay >= displayingInterval) {
        target.Redraw();
        m_->turnsSinceDisplay = 0;
        // The end of motion is looked for on redraw turns only, so a burst's history step closes
        // at the first redraw after its last particle died.
        if (!target.HasLiveParticles()) {
            Set(StopIdle, true);
            target.RecordHistoryStep();
            target.UpdateCommands();
        }
    }
    target.TurnEventAtCursor();
}

int32_t TurnState::TurnsSinceDisplay() const {
    return m_->turnsSinceDisplay;
}

uint32_t TurnState::LastTurnTick() const {
    return m_->lastTurnTick;
}

void TurnState::SetTurnsSinceDisplay(int32_t turns) {
    m_->turnsSinceDisplay = turns;
}

}  // namespace app
