#pragma once

#include <cstdint>

#include "base/String.h"

namespace app {

// How the value slider shows its value, and what a position on it means: the rules of the
// slider control that need no window.
class VolumeScale {
  public:
    // The display kinds and their texts.
    enum Kind : int32_t {
        KindValue = 0,        // "%.4f"
        KindPercent = 1,      // value x 100, "%.0f%%"
        KindWhole = 2,        // "%.0f"
        KindDots = 3,         // "%.0fドット"
        KindFineDots = 4,     // "%.4fドット"
        KindDegrees = 5,      // "%.0f°"
        KindParentDraws = 6,  // the parent draws the text
    };

    // The value at x of a control whose client area starts at `left` and is `width` wide:
    // minimum + (maximum - minimum) x t, t = (x - left) / width, kept within the range.  A
    // zero width or span gives the minimum.
    static double ValueFromX(int32_t x, int32_t left, int32_t width, double minimum, double maximum);
    // The value kept within [minimum, maximum]; a value that is not a number gives the minimum.
    static double Limit(double value, double minimum, double maximum);
    // Pixels of the bar in an inner area `innerWidth` wide: the share of the limited value in
    // the span, 0 when the span is not positive.
    static int32_t BarWidth(double value, double minimum, double maximum, int32_t innerWidth);
    // A slider value as a whole number: cut toward zero and kept within the int range (a
    // limit may be as large as the user typed).
    static int32_t WholeNumber(double value);
    // The text a kind shows for a value (empty for kind 6 and unknown kinds).
    static String Text(int32_t kind, double value);
};

}  // namespace app
