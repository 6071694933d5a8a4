#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>

#include "base/Geometry.h"
#include "settings/SettingsOwner.h"
#include "ui/win32/Dialog.h"

namespace app {

class PanelMember;

// A floating panel: a modeless tool window owned by the frame, with a tooltip on every
// control.  It keeps its place ("Window") and whether it is shown ("Show") under its settings
// key; its close box only hides it.  The four panels of a run are found by their index
// (0 general, 1 spray, 2 colour, 3 spray list) while they exist, in that order.
class Panel : public Dialog, public SettingsOwner {
  public:
    static constexpr int32_t kCount = 4;
    enum Index : int32_t { General = 0, Spray = 1, Colour = 2, Catalog = 3 };

    Panel(int32_t templateId, const char* settingsKey, int32_t index);
    ~Panel() override;

    // The panel of an index, or null while there is none.
    static Panel* At(int32_t index) noexcept;
    // The panel whose window is `window` or holds it.
    static Panel* Holding(HWND window) noexcept;

    // "Window" and "Show" under the panel's key; panels with more settings add theirs after.
    void ExchangeSettings(Registry& store) override;
    // Creates the window owned by the frame, at its stored place (its template's when none
    // is stored) and shown as stored.  Raises error 5 when it cannot be created.
    void CreatePanel(HWND frame);
    // Shown or hidden by the last show or hide call, whatever the frame's state.
    bool IsShown() const noexcept;
    void Toggle();
    // The run is ending and the panel about to be deleted.
    virtual void OnRunEnd();
    // The close box: hide, and have the frame refresh its commands.
    virtual void OnCloseBox();

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnDestroy() override;
    // Enter in a panel changes nothing.
    void OnOK() override;

  private:
    Point32 FirstPlace(HWND frame, int32_t width, int32_t height) const;

    std::unique_ptr<PanelMember> m_;
};

}  // namespace app
