#pragma once

#include <cstdint>

#include "engine/CELL.h"
#include "engine/PARTICLE_INFO_ITEM.h"
#include "engine/SUM.h"

namespace app {

class CoreMember;
struct WORLD_SETTINGS;

// The second pass of a turn: the pair forces and viscosity sums between neighbouring particles,
// each particle's velocity updated as soon as its own pairs are summed.  Two rolling rows of sums
// hold what later cells still add to.  Allocates nothing.
class ForcePass {
  public:
    ForcePass(CoreMember& core, const WORLD_SETTINGS& world);
    void Run();

  private:
    // One side of a pair: the particle, where it stands in cells and what is gathered for it.
    struct SIDE {
        const PARTICLE& particle;
        double x;
        double y;
        SUM& sum;
    };

    void AccumulatePairs(CELL* cellRow, CELL* belowRow, SUM* row, SUM* below, int32_t j, int32_t i, int32_t k);
    void PairWithCell(const SIDE& a,
                      const PARTICLE_INFO_KEY& ka,
                      const CELL& cell,
                      SUM* sums,
                      int32_t column,
                      int32_t row);
    void Pair(const SIDE& a, const PARTICLE_INFO_KEY& ka, const SIDE& b);
    void UpdateVelocity(PARTICLE& p, SUM& sum, int32_t column, int32_t row);

    CoreMember& m_;
    const WORLD_SETTINGS& world_;
    const PARTICLE_INFO_ITEM* items_;
};

}  // namespace app
