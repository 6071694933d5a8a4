#include "engine/SPRAYSTYLE.h"

#include <cmath>

namespace app {

namespace {

constexpr double kRadiansPerDegree = 0.017453292519943295;

// Comparisons are written so that a value that is not a number fails them and takes the floor;
// an infinity counts as not a number too, so that no style holds a value that is not finite.
void AtLeast(double& value, double floor) noexcept {
    if (!(value >= floor) || std::isinf(value))
        value = floor;
}

void Within(double& value, double floor, double ceiling) noexcept {
    if (!(value >= floor))
        value = floor;
    if (value > ceiling)
        value = ceiling;
}

// Fields without a range: only a value that is not finite is replaced, by 0.
void Finite(double& value) noexcept {
    if (!std::isfinite(value))
        value = 0.0;
}

void AtLeast(int32_t& value, int32_t floor) noexcept {
    if (value < floor)
        value = floor;
}

void Within(int32_t& value, int32_t floor, int32_t ceiling) noexcept {
    if (value < floor)
        value = floor;
    if (value > ceiling)
        value = ceiling;
}

constexpr const char* kToolNames[kToolCount] = {"Paint", "Erase", "Blur"};

SPRAYSTYLE g_styles[kToolCount];

int32_t FirstTool() {
    return 0;
}

int32_t (*g_currentTool)() = FirstTool;

// The tool that a tool argument names, or -1 when there is none.
int32_t ResolveTool(int32_t tool) {
    if (tool == -1)
        tool = g_currentTool();
    return tool >= 0 && tool < kToolCount ? tool : -1;
}

}  // namespace

void SPRAYSTYLE::Validate() noexcept {
    AtLeast(Repulsion, 0.0);
    Within(RepulsionArea, 0.0001, 16.0);
    AtLeast(Gravity, 0.0);
    Within(gravityArea, 0.0001, 16.0);
    Within(Brake, 0.0, 1.0);
    Within(Viscosity, 0.0, 1.0);
    Within(ViscosityArea, 0.0001, 16.0);
    AtLeast(LimitedSpeed, 0.0);
    Within(SpinAngleWiggle, 0.0, 360.0);
    Within(SplitAngleWiggle, 0.0, 360.0);
    Within(SplitRate, 0.0001, 1.0);
    AtLeast(Life, 0);
    AtLeast(SpinStep, 1);
    Within(SplitMode, SplitOneBranch, SplitTwoBranches);
    AtLeast(SplitStep1, 1);
    AtLeast(SplitStep2, 1);
    AtLeast(SplitLag, 0);

    Within(VelocityWiggle, 0.0, 1.0);
    Within(VelocityWidth, 0.0, 360.0);
    Within(VelocityRotationSpeed, 0.0, 360.0);
    AtLeast(Throwing, 0.0);
    Within(VelocityMode, VelocityRotateLeft, VelocityFixed);
    Within(Count, 0, kMostCount);
    AtLeast(Size, 0);
    AtLeast(SplitGenerations, 1);
    Finite(SpinAngle);
    Finite(SplitAngle1);
    Finite(SplitAngle2);
    Finite(Velocity.x);
    Finite(Velocity.y);
}

void SPRAYSTYLE::ToEngineUnits() noexcept {
    Repulsion = Repulsion / 16.0;
    RepulsionArea = 256.0 / (RepulsionArea * RepulsionArea);
    Gravity = Gravity / 16.0;
    gravityArea = 16.0 / gravityArea;
    Brake = 1.0 - Brake;
    ViscosityArea = 16.0 / ViscosityArea;
    LimitedSpeed = LimitedSpeed / 16.0;
    SpinAngleWiggle = SpinAngleWiggle * kRadiansPerDegree;
    SplitAngleWiggle = SplitAngleWiggle * kRadiansPerDegree;
    Velocity.x = Velocity.x / 16.0;
    Velocity.y = Velocity.y / 16.0;
    Throwing = Throwing / 16.0;
}

const char* ToolName(int32_t tool) noexcept {
    return tool >= 0 && tool < kToolCount ? kToolNames[tool] : nullptr;
}

void SetCurrentToolQuery(int32_t (*query)()) {
    g_currentTool = query ? query : FirstTool;
}

SPRAYSTYLE GetSprayStyle(int32_t tool) {
    tool = ResolveTool(tool);
    return tool < 0 ? SPRAYSTYLE() : g_styles[tool];
}

void SetSprayStyle(int32_t tool, const SPRAYSTYLE& style) {
    tool = ResolveTool(tool);
    if (tool < 0)
        return;
    g_styles[tool] = style;
    g_styles[tool].Validate();
}

}  // namespace app
