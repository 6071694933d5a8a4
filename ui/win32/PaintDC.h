#pragma once

#include <windows.h>

#include <memory>

#include "ui/win32/DC.h"

namespace app {

class PaintDCMember;

// The context of one paint pass: BeginPaint on construction, EndPaint after restoring.
class PaintDC : public DC {
  public:
    explicit PaintDC(HWND window);
    ~PaintDC() override;

    const PAINTSTRUCT& Paint() const noexcept;

  private:
    std::unique_ptr<PaintDCMember> m_;
};

}  // namespace app
