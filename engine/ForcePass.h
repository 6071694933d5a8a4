#pragma once

#include <cstdint>

#include "engine/CELL.h"
#include "engine/PAIRSIDE.h"
#include "engine/PARTICLE_INFO_ITEM.h"
#include "engine/SUM.h"

namespace app {

class CoreMember;
struct PAIRACTOR;
struct WORLD_SETTINGS;

// The second pass of a turn: the pair forces and viscosity sums between neighbouring particles,
// each particle's velocity updated as soon as its own pairs are summed.  Two rolling rows of sums
// hold what later cells still add to.
//
// Each cell row is first copied, in scan order, into a row of PAIRSIDE records; the forward
// neighbours of a particle are then two runs of that copy: the rest of its own cell with the cell
// to its right, and the three cells below.  A vector test picks the ones within one cell, and the
// pairs are summed two at a time in the order the scan meets them.  Allocates nothing.
class ForcePass {
  public:
    ForcePass(CoreMember& core, const WORLD_SETTINGS& world);
    void Run();

  private:
    // One cell row's copy: entries base ... base + count - 1, and where each column begins.
    struct SIDEROW {
        int32_t base = 0;
        int32_t count = 0;
        int32_t first = 1;
        int32_t last = 0;
        int32_t* starts = nullptr;

        // Index of the first particle of `column` or of any column after it.
        int32_t Start(int32_t column) const {
            if (column <= first)
                return base;
            return base + (column > last ? count : starts[column]);
        }
    };

    void CopyRow(int32_t row, SIDEROW& side);
    void RunRow(int32_t row);
    void SumPairs(PAIRACTOR& a, int32_t self, int32_t rowEnd, int32_t belowBegin, int32_t belowEnd);
    void UpdateVelocity(PARTICLE& p, const SUM& sum, int32_t column, int32_t row);

    CoreMember& m_;
    const WORLD_SETTINGS& world_;
    const PARTICLE_INFO_ITEM* items_;
    PAIRSIDE* sides_;
    uint32_t* x_;
    uint32_t* y_;
    int32_t* partners_;
    SIDEROW rows_[2];
};

}  // namespace app
