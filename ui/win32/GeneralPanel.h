#pragma once

#include <memory>

#include "ui/win32/Panel.h"

namespace app {

class GeneralPanelMember;

// "全体の状態": the world settings — gravity as a length and a direction, its kind (parallel
// or radial) and the liveliness of the motion — with the gravity slider's limit.
class GeneralPanel : public Panel {
  public:
    GeneralPanel();
    ~GeneralPanel() override;

    // The panel's place, then the gravity limit under "Panel\General\Limit", used as loaded.
    void ExchangeSettings(Registry& store) override;

    void OnInitDialog() override;
    void DoDataExchange(UpdateControl& exchange) override;
    void OnControlNotify(int id, int code, LPARAM data) override;
    void OnCommand(int id, int code, HWND control) override;

  private:
    std::unique_ptr<GeneralPanelMember> m_;
};

}  // namespace app
