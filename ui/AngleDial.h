#pragma once

#include <cstdint>

#include "base/Geometry.h"
#include "base/String.h"

namespace app {

// The angle picker's rules that need no window: the angle a point stands for, the pointer it
// draws and the degrees it shows.  Angles are radians counter-clockwise from the positive x
// axis with y pointing up.
class AngleDial {
  public:
    // The angle from the centre (width / 2, height / 2, whole pixels) to (x, y); 0 at the centre.
    static double AngleFromPoint(int32_t x, int32_t y, int32_t width, int32_t height);
    // The four corners of the pointer (the first repeated last) for a control of that size.
    static void Pointer(double angle, int32_t width, int32_t height, Point32 corners[4]);
    // Degrees as shown: 0 ... 359 by default, -179 ... 180 with signed display.
    static double ShownDegrees(double angle, bool signedDisplay);
    static String Text(double angle, bool signedDisplay);
};

}  // namespace app
