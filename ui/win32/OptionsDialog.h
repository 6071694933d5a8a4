#pragma once

#include <memory>

#include "ui/win32/Dialog.h"

namespace app {

class OptionsDialogMember;

// "設定": the turn interval, the display interval and the number of history steps.  Values
// that pass the check replace the options (the background stays) and every window of the run
// hears of it; a dialog nobody typed into changes nothing.
class OptionsDialog : public Dialog {
  public:
    OptionsDialog();
    ~OptionsDialog() override;

    void OnInitDialog() override;
    void DoDataExchange(UpdateControl& exchange) override;
    void OnCommand(int id, int code, HWND control) override;
    bool Check() override;

  private:
    std::unique_ptr<OptionsDialogMember> m_;
};

}  // namespace app
