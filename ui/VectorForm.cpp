#include "ui/VectorForm.h"

#include <cmath>

namespace app {

VECTORFORM ToVectorForm(const Vector2& v) {
    const double length = std::sqrt(v.x * v.x + v.y * v.y);
    const double angle = (v.x == 0.0 && -v.y == 0.0) ? 0.0 : std::atan2(-v.y, v.x);
    return {length, angle};
}

Vector2 FromVectorForm(const VECTORFORM& form) {
    return {std::cos(form.angle) * form.length, -std::sin(form.angle) * form.length};
}

}  // namespace app
