#include "ui/VolumeScale.h"

#include <limits>

#include "resources/ResourceIds.h"

namespace app {

double VolumeScale::Limit(double value, double minimum, double maximum) {
    if (!(value >= minimum))
        return minimum;
    return value > maximum ? maximum : value;
}

double VolumeScale::ValueFromX(int32_t x, int32_t left, int32_t width, double minimum, double maximum) {
    if (width <= 0)
        return minimum;
    const double t = static_cast<double>(x - left) / width;
    return Limit(minimum + (maximum - minimum) * t, minimum, maximum);
}

int32_t VolumeScale::BarWidth(double value, double minimum, double maximum, int32_t innerWidth) {
    const double span = maximum - minimum;
    if (!(span > 0.0) || innerWidth <= 0)
        return 0;
    const double fraction = (Limit(value, minimum, maximum) - minimum) / span;
    return static_cast<int32_t>(innerWidth * fraction);
}

int32_t VolumeScale::WholeNumber(double value) {
    if (!(value > std::numeric_limits<int32_t>::min()))
        return std::numeric_limits<int32_t>::min();
    if (value >= std::numeric_limits<int32_t>::max())
        return std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(value);
}

String VolumeScale::Text(int32_t kind, double value) {
    switch (kind) {
        case KindValue:
            return String::Format(String::Load(IDS_FORMAT_VALUE).CStr(), value);
        case KindPercent:
            return String::Format(String::Load(IDS_FORMAT_PERCENT).CStr(), value * 100);
        case KindWhole:
            return String::Format(String::Load(IDS_FORMAT_WHOLE).CStr(), value);
        case KindDots:
            return String::Format(String::Load(IDS_FORMAT_DOTS).CStr(), value);
        case KindFineDots:
            return String::Format(String::Load(IDS_FORMAT_FINE_DOTS).CStr(), value);
        case KindDegrees:
            return String::Format(String::Load(IDS_FORMAT_DEGREES).CStr(), value);
        default:
            return String();
    }
}

}  // namespace app
