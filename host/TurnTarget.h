#pragma once

namespace app {

// What one turn does to the document and the screen.  The view implements it with its window;
// the headless session implements it without one.  Both run turns through TurnState, so the
// order of a turn lives in one place.
class TurnTarget {
  public:
    virtual ~TurnTarget() = default;

    // Whether a turn may touch anything at all (the view: its window exists, is enabled and shown).
    virtual bool CanTurn() = 0;
    // The engine's step, painting into the document image.
    virtual void StepEngine() = 0;
    // Shows the image as it is now.
    virtual void Redraw() = 0;
    virtual bool HasLiveParticles() = 0;
    // Closes the document's history step (the image against its copy at the previous step).
    virtual void RecordHistoryStep() = 0;
    // Asks menus, tool bar and panels to show the new state.
    virtual void UpdateCommands() = 0;
    // The turn event (code 14) to the current tool at the cursor.
    virtual void TurnEventAtCursor() = 0;
};

}  // namespace app
