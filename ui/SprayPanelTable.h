#pragma once

#include <cstdint>

namespace app {

struct SPRAYSTYLE;
struct LIMITRANGE;

// What the detail button of a spray-panel row opens.
enum SprayDetail : int32_t {
    DetailNone = 0,
    DetailLimit = 1,  // the slider's upper limit alone
    DetailRepulsion = 2,
    DetailAttraction = 3,
    DetailViscosity = 4,
    DetailVelocity = 5,
};

// One slider of the spray panel: its control, display kind, the key and default of its upper
// limit (null: a fixed limit of 1), the smallest and largest limits allowed, and its detail
// dialog.  The largest keeps a slider usable (a click moves it by a sensible step) and its value
// text short; for the count it is the most a style holds.
struct SPRAYSLIDER {
    int32_t control;
    int32_t kind;
    const char* limitKey;
    double defaultLimit;
    double minimumLimit;
    double maximumLimit;
    int32_t detail;
};

// The spray panel's ten sliders in their fixed order, and the rules that tie them to the
// spray style and to their limits.
class SprayPanelTable {
  public:
    static constexpr int32_t kRows = 10;
    static constexpr int32_t kVelocityRow = 4;  // the length of the initial velocity

    static const SPRAYSLIDER& Row(int32_t row);
    // The row of a detail button, -1 for other ids.
    static int32_t RowOfButton(int32_t button);
    // The bottom of a row's range: its smallest allowed limit cut toward zero.
    static double Lower(int32_t row);
    static LIMITRANGE LimitRange(int32_t row);
    // The row's value in a style: whole numbers as reals, the velocity row as the length.
    static double Value(const SPRAYSTYLE& style, int32_t row);
    // Writes a slider's value into a style: whole numbers cut toward zero (and kept in range);
    // the velocity row is left to the caller, which also knows the direction.
    static void SetValue(SPRAYSTYLE& style, int32_t row, double value);
    // Every row's default limit (the fixed ones 1).
    static void DefaultLimits(double limits[kRows]);
    // What loading does: a limit below its row's smallest allowed one (or not a number) is
    // raised to it, one above its largest lowered to that.
    static void RaiseLoadedLimits(double limits[kRows]);
};

// The general panel's gravity slider limit: its default and the least the limit dialog takes.
constexpr double kGravityLimitDefault = 5.0;
constexpr double kGravityLimitMinimum = 0.001;
constexpr double kGravityLimitMaximum = 1000.0;

}  // namespace app
