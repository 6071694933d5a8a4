#include "ui/ViewSession.h"

#include "engine/Core.h"
#include "host/Options.h"
#include "host/TurnState.h"
#include "paint/AppDoc.h"
#include "paint/ToolEvent.h"
#include "paint/ToolSelection.h"
#include "resources/ResourceIds.h"
#include "ui/ViewPort.h"

namespace app {

class ViewSessionMember {
  public:
    ViewSessionMember(AppDoc& document, ViewPort& port, TurnTarget& target)
        : document(document), port(port), turns(target) {}

    AppDoc& document;
    ViewPort& port;
    TurnState turns;
};

ViewSession::ViewSession(AppDoc& document, ViewPort& port)
    : m_(std::make_unique<ViewSessionMember>(document, port, static_cast<TurnTarget&>(*this))) {}

ViewSession::~ViewSession() = default;

TurnState& ViewSession::Turns() noexcept {
    return m_->turns;
}

AppDoc& ViewSession::Document() noexcept {
    return m_->document;
}

void ViewSession::InitialUpdate() {
    m_->document.Engine().SetMode(CurrentToolNumber());
    m_->turns.Set(StopNotReady, false);
}

bool ViewSession::OnIdle(uint32_t now) {
    AppDoc& document = m_->document;
    // While the turns rest, a step being recorded goes on a piece per pass, and the loop keeps
    // calling until it is stored.
    if (document.IsRecordingStep() && m_->turns.AnyStopReason()) {
        if (!document.ContinueStep())
            UpdateCommands();
        return true;
    }
    const OPTIONS options = GetOptions();
    const bool working = m_->turns.IdlePass(now, options.turnInterval, options.displayingInterval);
    return working || document.IsRecordingStep();
}

void ViewSession::DeliverToolEvent(int32_t code, double x, double y, int32_t value) {
    ToolEvent event{x, y, &m_->document.GetImage(), &m_->document.Engine(), code, value};
    DispatchToolEvent(event);
    m_->turns.AfterToolEvent();
}

VIEW_FACTS ViewSession::Facts() const {
    VIEW_FACTS facts{};
    facts.tool = CurrentToolNumber();
    facts.canUndo = m_->document.CanUndo();
    facts.canRedo = m_->document.CanRedo();
    facts.particlesAlive = m_->document.Engine().IsAlive();
    facts.paused = m_->turns.IsSet(StopPaused);
    return facts;
}

bool ViewSession::IsEnabled(int32_t command) const {
    COMMAND_STATE state{};
    if (!CommandRules::ForView(command, Facts(), &state))
        return command == IDM_CLEAR;
    return !state.setsEnable || state.enable;
}

bool ViewSession::Execute(int32_t command) {
    switch (command) {
        case IDM_UNDO:
        case IDM_REDO:
            if (!IsEnabled(command))
                return true;
            command == IDM_UNDO ? m_->document.Undo() : m_->document.Redo();
            m_->port.Redraw();
            UpdateCommands();
            return true;
        case IDM_CLEAR:
            ClearAll();
            return true;
        case IDM_ERASE_PARTICLES:
            m_->document.Engine().EraseAll();
            return true;
        case IDM_PAUSE:
            m_->turns.TogglePause();
            return true;
        default:
            return false;
    }
}

void ViewSession::ClearAll() {
    m_->document.Clear();
    // While particles fly the clearing joins the step that closes when they come to rest.
    if (m_->document.Engine().IsAlive())
        return;
    m_->document.BeginStep();
    UpdateCommands();
    m_->port.Redraw();
}

void ViewSession::OptionsChanged() {
    m_->turns.Set(StopSuspended, true);
    m_->document.TrimHistory();
    UpdateCommands();
    m_->turns.Set(StopSuspended, false);
}

void ViewSession::Closing() {
    m_->turns.Set(StopNotReady, true);
    m_->document.Save();
}

bool ViewSession::CanTurn() {
    return m_->port.CanTurn();
}

void ViewSession::StepEngine() {
    m_->document.Step();
}

// The turns' redraw shows what they changed: on a large picture that is far less than the
// view.
void ViewSession::Redraw() {
    const Rect32 changed = m_->document.TakeDisplayChanges();
    if (changed.right > changed.left && changed.bottom > changed.top)
        m_->port.RedrawImageArea(changed);
}

bool ViewSession::HasLiveParticles() {
    return m_->document.Engine().IsAlive();
}

void ViewSession::RecordHistoryStep() {
    m_->document.BeginStep();
}

void ViewSession::UpdateCommands() {
    m_->port.UpdateCommands();
}

void ViewSession::TurnEventAtCursor() {
    const Vector2 cursor = m_->port.CursorInImage();
    DeliverToolEvent(ToolEventTurn, cursor.x, cursor.y);
}

}  // namespace app
