#include "ui/AngleDial.h"

#include <cmath>

#include "resources/ResourceIds.h"

namespace app {

namespace {

constexpr double kTwoPi = 6.283185307179586;

// The pointer in unit coordinates (u along the angle, v across it).
constexpr double kPointerU[4] = {0.9, 0.5, 0.5, 0.9};
constexpr double kPointerV[4] = {0.0, 0.2, -0.2, 0.0};

}  // namespace

double AngleDial::AngleFromPoint(int32_t x, int32_t y, int32_t width, int32_t height) {
    const int32_t cx = width / 2;
    const int32_t cy = height / 2;
    if (x == cx && y == cy)
        return 0.0;
    return std::atan2(static_cast<double>(cy - y), static_cast<double>(x - cx));
}

void AngleDial::Pointer(double angle, int32_t width, int32_t height, Point32 corners[4]) {
    const double hw = width * 0.5;
    const double hh = height * 0.5;
    const double c = std::cos(angle);
    const double s = std::sin(angle);
    for (int i = 0; i < 4; ++i) {
        const double u = kPointerU[i];
        const double v = kPointerV[i];
        corners[i].x = static_cast<int32_t>(hw + hw * (c * u + s * v));
        corners[i].y = static_cast<int32_t>(hh + hh * (c * v - s * u));
    }
}

double AngleDial::ShownDegrees(double angle, bool signedDisplay) {
    double degrees = angle * 360 / kTwoPi;
    if (!signedDisplay)
        degrees = degrees + 360;
    return std::fmod(degrees, 360);
}

String AngleDial::Text(double angle, bool signedDisplay) {
    return String::Format(String::Load(IDS_FORMAT_ANGLE).CStr(), ShownDegrees(angle, signedDisplay));
}

}  // namespace app
