#pragma once

#include <memory>

#include "ui/win32/Panel.h"

namespace app {

class ColorPanelMember;

// "色選択": the current tool's colour setting — the colour table with its hidden red level,
// the two colours and which one is active, their levels, the colouring rule — and the stripe
// period dialog.  It follows the current tool.
class ColorPanel : public Panel {
  public:
    ColorPanel();
    ~ColorPanel() override;

    // The panel's place, then "Level" under its key, kept within 0 ... 255 on loading.
    void ExchangeSettings(Registry& store) override;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnInitDialog() override;
    void DoDataExchange(UpdateControl& exchange) override;
    void OnControlNotify(int id, int code, LPARAM data) override;
    void OnCommand(int id, int code, HWND control) override;

  private:
    void PickColour(uint32_t colour);
    void Store();

    std::unique_ptr<ColorPanelMember> m_;
};

}  // namespace app
