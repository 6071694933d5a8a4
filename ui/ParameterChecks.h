#pragma once

#include <cstdint>

#include "base/String.h"

namespace app {

// The outcome of a parameter dialog's check: passed, or the message that refuses the values
// with its bounds.
struct CHECKRESULT {
    bool passes;
    int32_t message;  // string id of the refusal
    double first;     // its bounds, as the message formats them
    double second;
};

// The limits a slider's upper limit may take.
struct LIMITRANGE {
    double minimum;
    double maximum;
};

// The values the split dialog checks.
struct SPLITSTEPS {
    int32_t step1;
    int32_t step2;
    int32_t lag;
    int32_t generations;
};

// Which controls of the split dialog take input.
struct SPLITENABLING {
    bool common;       // the mode radios, first step and angle, wiggle, generations, rate
    bool secondStep;   // the second step and the lag: two branches only
    bool secondAngle;  // the second angle: every mode but one branch
};

// The checks of the parameter dialogs and the split dialog's enabling, apart from any window.
class ParameterChecks {
  public:
    // A slider limit must lie in the row's range (NaN, a field without a number, never does).
    // Every refusal below names the field's whole range, with the bound of the moment (the
    // life) where a range depends on another value.
    static CHECKRESULT Limit(double edited, const LIMITRANGE& range);
    // The initial-velocity details: the limit, then the spread width and the rotation speed
    // in [0, 360] degrees.
    static CHECKRESULT Velocity(double edited, const LIMITRANGE& range, double width, double rotation);
    // The spin interval in [1, life].
    static CHECKRESULT Spin(int32_t step, int32_t life);
    // Both intervals in [1, life], the lag in [0, life], at least one generation; in this
    // order, whatever the mode.
    static CHECKRESULT Split(const SPLITSTEPS& steps, int32_t life);
    static SPLITENABLING SplitEnabling(bool useSplit, int32_t mode);
    // Whether the split dialog notes that splitting is on while its rate shows 0 %: a new
    // style's rate is the least there is, so ticking the box alone changes nothing.
    static bool SplitRateNote(bool useSplit, double rate);
    // The stripe period: at least 1 turn.
    static CHECKRESULT StripePeriod(int32_t period);
    // The options: turn and display intervals of at least 1, a history count of at least 0.
    static CHECKRESULT Options(int32_t turnInterval, int32_t displayingInterval, int32_t historyCount);
    // The refusal's text: the message formatted with its bounds.
    static String Message(const CHECKRESULT& result);
};

}  // namespace app
