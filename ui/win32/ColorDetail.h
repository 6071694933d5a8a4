#pragma once

#include <memory>

#include "ui/win32/Dialog.h"

namespace app {

class ColorDetailMember;

// The stripe period of the current tool's colouring, in turns: at least 1.
class ColorDetail : public Dialog {
  public:
    ColorDetail();
    ~ColorDetail() override;

    void OnInitDialog() override;
    void DoDataExchange(UpdateControl& exchange) override;
    bool Check() override;

  private:
    std::unique_ptr<ColorDetailMember> m_;
};

}  // namespace app
