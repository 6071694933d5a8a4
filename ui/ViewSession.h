#pragma once

#include <cstdint>
#include <memory>

#include "host/TurnTarget.h"
#include "ui/CommandRules.h"

namespace app {

class AppDoc;
class TurnState;
class ViewPort;
class ViewSessionMember;

// Everything the view does that is not a window call: its turn state and turns, tool event
// delivery, and the document commands with their enabling rules.  The plug-in's view and the
// headless painter both drive the document through it.
class ViewSession : private TurnTarget {
  public:
    ViewSession(AppDoc& document, ViewPort& port);
    ~ViewSession() override;
    ViewSession(const ViewSession&) = delete;
    ViewSession& operator=(const ViewSession&) = delete;

    TurnState& Turns() noexcept;
    AppDoc& Document() noexcept;

    // The view's first update: the engine in the current tool's mode, and turns may start.
    void InitialUpdate();
    // The idle routine's question to the view at tick `now`; see TurnState::IdlePass.
    bool OnIdle(uint32_t now);
    // Hands an event to the current tool; particles alive afterwards wake the turns.
    void DeliverToolEvent(int32_t code, double x, double y, int32_t value = 0);

    // The view's share of the command state: tool, history and pause.
    VIEW_FACTS Facts() const;
    // Undo, redo, clear all, erase all particles, pause.  Returns false when the command is
    // not the session's; raises nothing for a disabled command but does nothing either (the
    // return value of IsEnabled tells).
    bool Execute(int32_t command);
    bool IsEnabled(int32_t command) const;

    // New options were applied: the history takes the new limit while turns are suspended.
    void OptionsChanged();
    // The frame is closing: no more turns, and the picture goes back to the host.
    void Closing();

  private:
    bool CanTurn() override;
    void StepEngine() override;
    void Redraw() override;
    bool HasLiveParticles() override;
    void RecordHistoryStep() override;
    void UpdateCommands() override;
    void TurnEventAtCursor() override;

    void ClearAll();

    std::unique_ptr<ViewSessionMember> m_;
};

}  // namespace app
