#pragma once

#include "base/Geometry.h"

namespace app {

// A vector (the world gravity, the initial velocity) as the panels show it: a length on a
// slider and a direction on an angle picker.  Directions count counter-clockwise from the
// positive x axis while y points down the picture, hence the minus signs.
struct VECTORFORM {
    double length;
    double angle;  // radians; 0 for the zero vector
};

VECTORFORM ToVectorForm(const Vector2& v);
Vector2 FromVectorForm(const VECTORFORM& form);

}  // namespace app
