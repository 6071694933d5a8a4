#pragma once

#include <cstdint>

#include "engine/CELL.h"
#include "engine/PARTICLE_INFO_ITEM.h"
#include "engine/SUM.h"

namespace app {

// A particle as the force pass reads it, copied once per turn into a row of such records in
// scan order: its velocity of the previous turn and its snapshot's strengths as doubles, where
// it lives and where its sums are gathered.  Its position lies in two separate arrays (see
// PairLanes.h) so that the neighbour test can read four at a time.
struct PAIRSIDE {
    double vx, vy;
    double gravity, repulsion, viscosity;
    PARTICLE* particle;
    SUM* sum;
    const PARTICLE_INFO_KEY* key;
    int32_t column;
};

}  // namespace app
