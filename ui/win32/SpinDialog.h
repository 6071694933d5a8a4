#pragma once

#include <memory>

#include "ui/win32/Dialog.h"

namespace app {

class SpinDialogMember;

// Spin: whether particles turn, every how many turns, by what angle and with what wiggle.
// The interval must lie within the style's life.
class SpinDialog : public Dialog {
  public:
    SpinDialog();
    ~SpinDialog() override;

    void OnInitDialog() override;
    void DoDataExchange(UpdateControl& exchange) override;
    void OnCommand(int id, int code, HWND control) override;
    bool Check() override;

  private:
    std::unique_ptr<SpinDialogMember> m_;
};

}  // namespace app
