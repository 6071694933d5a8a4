#pragma once

#include <memory>

#include "ui/win32/Panel.h"

namespace app {

class SprayPanelMember;

// "スプレー設定": the current tool's spray style on ten sliders with their limits, the initial
// velocity's direction, the speed limit switch, and the detail, spin and split dialogs.  It
// follows the current tool and a style replaced as a whole.
class SprayPanel : public Panel {
  public:
    SprayPanel();
    ~SprayPanel() override;

    // The panel's place, then the slider limits under "Panel\Spray\Limit"; loaded limits below
    // their row's smallest are raised to it.
    void ExchangeSettings(Registry& store) override;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnInitDialog() override;
    void DoDataExchange(UpdateControl& exchange) override;
    void OnControlNotify(int id, int code, LPARAM data) override;
    void OnCommand(int id, int code, HWND control) override;

  private:
    void OpenDetail(int32_t row);
    void DrawCount(LPARAM data);

    std::unique_ptr<SprayPanelMember> m_;
};

}  // namespace app
