#pragma once

#include <cstdint>

#include "engine/CELL.h"
#include "engine/PARTICLE_INFO_ITEM.h"
#include "engine/SUM.h"

namespace app {

// A particle as the force pass reads it, copied once per turn into a row of such records in
// scan order (64 bytes): its position in cells (column + fx / 32768, row + fy / 32768, exact in
// double), its velocity of the previous turn and its snapshot's strengths as doubles, and where
// it lives.  Its sums lie at the same index of the band's sums; a coarse copy of its position
// lies in a separate array so that the neighbour test can read four at a time.
struct PAIRSIDE {
    double x, y;
    double vx, vy;
    double gravity, repulsion, viscosity;
    PARTICLE* particle;
};

// What one pair adds: to A the force and the viscosity terms (B's velocity times its weight,
// and the weight), to B minus the force and A's terms.  Terms of a pair that adds nothing to a
// sum are +0.
struct PAIRTERMS {
    double force[2];
    double towardA[2];
    double towardB[2];
    double weightA, weightB;
};

}  // namespace app
