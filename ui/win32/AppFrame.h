#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>

#include "settings/SettingsOwner.h"
#include "ui/win32/Window.h"

namespace app {

class AppFrameMember;
class AppView;
class Command;
class Registry;

// The top-level window of a filter run: menu, toolbar, status bar and the view between them.
// It routes the commands, remembers its placement and bars between runs, opens the manual and
// shows the About box; closing it ends the run.
class AppFrame : public Window, public SettingsOwner {
  public:
    AppFrame();
    ~AppFrame() override;

    // "ShowToolBar", "ShowStatusBar", "Window" and "Maximize" under "Frame", by the store's
    // direction.
    void ExchangeSettings(Registry& store) override;
    // The view (and with it the document) the frame owns from now on.
    void SetView(std::unique_ptr<AppView> view);
    AppView* View() const noexcept;

    // Creates the frame window owned by `owner`, the view with the host image, the status
    // bar and the toolbar.  Raises error 5 when a window cannot be created.
    void CreateWindows(HWND owner);

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // Stays bound until the last message, which ends the run's loop.
    void OnDestroy() override;
    void OnCommand(int id, int code, HWND control) override;
    void OnUpdateCommand(int id, Command* target);
    // Records the placement and the bars, lets the view hand the picture back, destroys the
    // window.
    void Close();
    // The owner window that the run disabled.  It is enabled again just before the frame window
    // goes, so that the system hands the activation back to it rather than to another program.
    void SetDisabledOwner(HWND owner) noexcept;
    void EnableOwner() noexcept;
    void Layout();
    // The run's idle routine: the status bar back to no prompt, then the view's turn.
    bool OnIdle();
    // Fills in the state of every toolbar button.
    void UpdateToolbar();

  private:
    void OnInitMenuPopup(HMENU menu);
    void OnMenuSelect(int item, UINT flags, HMENU menu);
    void ShowPrompt(int id);
    void ToggleBar(HWND bar);
    // Shows the panel of that index if it is hidden, hides it if it is shown.
    void TogglePanel(int32_t index);
    void OpenManual();

    std::unique_ptr<AppFrameMember> m_;
};

}  // namespace app
