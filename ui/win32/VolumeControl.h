#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>

#include "ui/win32/OwnerDrawnControl.h"

namespace app {

class VolumeControlMember;

// What a slider of kind 6 hands its parent with the "draw the value" notification.
struct VOLUMETEXT {
    HDC context;
    RECT rect;     // where the value goes, right-aligned
    double value;  // as set, not limited to the range
};

// The value slider: a bar in a box, its label (the control's own text) on the left and its
// value on the right.  A press or drag sets the value from the x position within the range;
// the value set from outside may lie beyond the range and is shown as it is.
class VolumeControl : public OwnerDrawnControl {
  public:
    VolumeControl();
    ~VolumeControl() override;

    void SetValue(double value);
    double Value() const noexcept;
    void SetRange(double minimum, double maximum);
    double Minimum() const noexcept;
    double Maximum() const noexcept;
    // A VolumeScale kind: how the value is written.
    void SetKind(int32_t kind);

  protected:
    void Draw(const DRAWITEMSTRUCT& item) override;
    bool OnPress(int x, int y) override;
    void OnDrag(int x, int y) override;

  private:
    void SetFromX(int x);
    void DrawLabel(HDC context, const RECT& text, int valueWidth);

    std::unique_ptr<VolumeControlMember> m_;
};

}  // namespace app
