#include "ui/ParameterChecks.h"

#include "engine/SPRAYSTYLE.h"
#include "resources/ResourceIds.h"

namespace app {

namespace {

constexpr CHECKRESULT kPassed = {true, 0, 0.0, 0.0};
// The top of a whole-number field's range: what 32 bits hold.
constexpr double kMostWhole = 2147483647.0;

CHECKRESULT Refused(int32_t message, double first, double second = 0.0) {
    return {false, message, first, second};
}

bool Within(double value, double low, double high) {
    return value >= low && value <= high;
}

}  // namespace

CHECKRESULT ParameterChecks::Limit(double edited, const LIMITRANGE& range) {
    return Within(edited, range.minimum, range.maximum) ? kPassed
                                                        : Refused(IDS_LIMIT_TOO_LOW, range.minimum, range.maximum);
}

CHECKRESULT ParameterChecks::Velocity(double edited, const LIMITRANGE& range, double width, double rotation) {
    const CHECKRESULT limit = Limit(edited, range);
    if (!limit.passes)
        return limit;
    if (!Within(width, 0.0, 360.0))
        return Refused(IDS_WIDTH_RANGE, 0.0, 360.0);
    if (!Within(rotation, 0.0, 360.0))
        return Refused(IDS_ROTATION_RANGE, 0.0, 360.0);
    return kPassed;
}

CHECKRESULT ParameterChecks::Spin(int32_t step, int32_t life) {
    return step >= 1 && step <= life ? kPassed : Refused(IDS_SPIN_STEP_RANGE, 1.0, life);
}

CHECKRESULT ParameterChecks::Split(const SPLITSTEPS& steps, int32_t life) {
    if (steps.step1 < 1 || steps.step1 > life)
        return Refused(IDS_SPLIT_STEP_RANGE, 1.0, life);
    if (steps.step2 < 1 || steps.step2 > life)
        return Refused(IDS_SPLIT_STEP_RANGE, 1.0, life);
    if (steps.lag < 0 || steps.lag > life)
        return Refused(IDS_SPLIT_LAG_RANGE, 0.0, life);
    if (steps.generations < 1)
        return Refused(IDS_GENERATIONS_TOO_LOW, 1.0, kMostWhole);
    return kPassed;
}

SPLITENABLING ParameterChecks::SplitEnabling(bool useSplit, int32_t mode) {
    return {useSplit, useSplit && mode == SplitTwoBranches, useSplit && mode != SplitOneBranch};
}

bool ParameterChecks::SplitRateNote(bool useSplit, double rate) {
    return useSplit && rate < 0.005;  // the rate's slider shows whole percents
}

CHECKRESULT ParameterChecks::StripePeriod(int32_t period) {
    return period >= 1 ? kPassed : Refused(IDS_STRIPE_PERIOD_TOO_LOW, 1.0, kMostWhole);
}

CHECKRESULT ParameterChecks::Options(int32_t turnInterval, int32_t displayingInterval, int32_t historyCount) {
    if (turnInterval <= 0)
        return Refused(IDS_TURN_INTERVAL_TOO_LOW, 1.0, kMostWhole);
    if (displayingInterval <= 0)
        return Refused(IDS_DISPLAY_INTERVAL_TOO_LOW, 1.0, kMostWhole);
    if (historyCount < 0)
        return Refused(IDS_HISTORY_COUNT_NEGATIVE, 0.0, kMostWhole);
    return kPassed;
}

String ParameterChecks::Message(const CHECKRESULT& result) {
    return String::Format(String::Load(result.message).CStr(), result.first, result.second);
}

}  // namespace app
