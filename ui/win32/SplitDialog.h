#pragma once

#include <memory>

#include "ui/win32/Dialog.h"

namespace app {

class SplitDialogMember;

// Splitting: whether particle lines branch, in which mode, at which intervals and angles, with
// what lag between the two branches, for how many generations and how likely.  The intervals
// and the lag must lie within the style's life, whatever the mode.
class SplitDialog : public Dialog {
  public:
    SplitDialog();
    ~SplitDialog() override;

    void OnInitDialog() override;
    void DoDataExchange(UpdateControl& exchange) override;
    void OnCommand(int id, int code, HWND control) override;
    void OnControlNotify(int id, int code, LPARAM data) override;
    bool Check() override;

  private:
    std::unique_ptr<SplitDialogMember> m_;
};

}  // namespace app
