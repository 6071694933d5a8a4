#pragma once

#include <windows.h>

#include <memory>

#include "ui/win32/OwnerDrawnControl.h"

namespace app {

class AngleControlMember;

// The angle picker: a circle with a pointer toward the angle and the angle in degrees in its
// middle.  A press or drag points it at the mouse.  Angles are radians counter-clockwise from
// the positive x axis with y pointing up.
class AngleControl : public OwnerDrawnControl {
  public:
    AngleControl();
    ~AngleControl() override;

    void SetAngle(double angle);
    double Angle() const noexcept;
    // Degrees shown from -179 to 180 instead of 0 to 359.
    void SetSignedDisplay(bool signedDisplay);

  protected:
    void Draw(const DRAWITEMSTRUCT& item) override;
    bool OnPress(int x, int y) override;
    void OnDrag(int x, int y) override;

  private:
    void SetFromPoint(int x, int y);

    std::unique_ptr<AngleControlMember> m_;
};

}  // namespace app
