#pragma once

#include <cmath>
#include <cstdint>

#include "engine/CELL.h"
#include "engine/Random.h"

// Helpers the engine's passes share: where a coordinate falls in the grid, and the turning of a
// velocity.  Internal to the engine.
namespace app {

constexpr double kTwoPi = 6.283185307179586;
constexpr double kCellsPerPixel = 0.0625;

// A step count that validation keeps at 1 or more; anything else never matches.
inline bool IsMultiple(int64_t age, int32_t step) noexcept {
    return step > 0 && age % step == 0;
}

// A cell coordinate lies in the inner area (columns or rows 1 ... size-2) when its truncation
// does; written as comparisons so that non-finite and far values fail without converting.
inline bool IsInner(double coordinate, int32_t size) noexcept {
    return coordinate >= 1.0 && coordinate < static_cast<double>(size - 1);
}

// The part of a cell coordinate inside its cell, in 1/32768 of a cell.
inline uint16_t Fraction(double coordinate) noexcept {
    return static_cast<uint16_t>((coordinate - std::floor(coordinate)) * kFractionScale);
}

// Where a particle of cell (column, row) stands, in cells.
inline double CellX(int32_t column, const PARTICLE& p) noexcept {
    return column + p.fx / kFractionScale;
}
inline double CellY(int32_t row, const PARTICLE& p) noexcept {
    return row + p.fy / kFractionScale;
}

// Whether turning by angle a with wiggle w draws a random number.
inline bool TurnDraws(double a, double w) noexcept {
    return !(a == 0.0 && w == 0.0);
}

// Turns v by angle a with wiggle w (radians), by the fraction u drawn for it.
inline void TurnBy(double& vx, double& vy, double a, double w, double u) noexcept {
    const double alpha = a + w * u - w * 0.5;
    const double c = std::cos(alpha);
    const double s = std::sin(alpha);
    const double x = vx * c + vy * s;
    const double y = -vx * s + vy * c;
    vx = x;
    vy = y;
}

// Turns v by angle a with wiggle w (radians); draws only when either is non-zero.
inline void Turn(double& vx, double& vy, double a, double w) noexcept {
    if (TurnDraws(a, w))
        TurnBy(vx, vy, a, w, RandomUnit());
}

inline void Turn(double& vx, double& vy, double a, double w, RANDOMSTREAM& random) noexcept {
    if (TurnDraws(a, w))
        TurnBy(vx, vy, a, w, random.Unit());
}

}  // namespace app
