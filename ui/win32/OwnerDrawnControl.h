#pragma once

#include <windows.h>

#include <memory>

#include "ui/win32/Window.h"

namespace app {

class OwnerDrawnControlMember;

// The base of the program's owner-drawn controls (an owner-drawn button of a dialog template
// bound by its id): it draws when its dialog forwards WM_DRAWCONTROL, asks for no keyboard
// input, and turns a left press, the moves while it holds the mouse and the release into
// OnPress / OnDrag calls and a final "value set" notification (WM_CONTROLNOTIFY code 0) to its
// parent.  A capture lost to another window ends the drag the same way, so the parent always
// learns the value the control shows.
class OwnerDrawnControl : public Window {
  public:
    // WM_CONTROLNOTIFY codes.
    static constexpr int kValueSet = 0;
    static constexpr int kDrawValue = 1;

    OwnerDrawnControl();
    ~OwnerDrawnControl() override;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  protected:
    virtual void Draw(const DRAWITEMSTRUCT& item) = 0;
    // A press at (x, y) in client coordinates; returns whether a drag begins.
    virtual bool OnPress(int x, int y);
    virtual void OnDrag(int x, int y);

    // Posts code 0 (value set) to the parent, with data.
    void NotifyValueSet(LPARAM data = 0);
    // Sends a notification with data to the parent and returns its answer.
    LRESULT SendNotify(int code, LPARAM data);
    // Redraws the control with its background erased.
    void Invalidate();
    bool IsEnabled() const;

  private:
    void EndDrag(bool release);

    std::unique_ptr<OwnerDrawnControlMember> m_;
};

}  // namespace app
