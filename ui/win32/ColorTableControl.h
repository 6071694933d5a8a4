#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>

#include "ui/win32/OwnerDrawnControl.h"

namespace app {

class ColorTableControlMember;

// The colour table: a picture as large as the control with blue down the rows, green along
// the columns and red the level.  A press hands the parent the colour under it (a value-set
// notification whose data is the COLORREF).
class ColorTableControl : public OwnerDrawnControl {
  public:
    ColorTableControl();
    ~ColorTableControl() override;

    // Sizes the picture to the control's client area and fills it.
    void Fit();
    void SetLevel(int32_t level);
    int32_t Level() const noexcept;

  protected:
    void Draw(const DRAWITEMSTRUCT& item) override;
    bool OnPress(int x, int y) override;

  private:
    std::unique_ptr<ColorTableControlMember> m_;
};

}  // namespace app
