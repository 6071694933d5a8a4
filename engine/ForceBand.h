#pragma once

#include <cstdint>

#include "engine/CELL.h"
#include "engine/FORCEBAND.h"
#include "engine/PARTICLE_INFO_ITEM.h"
#include "engine/Random.h"

namespace app {

class CoreMember;
struct PAIRACTOR;
struct WORLD_SETTINGS;

// The force pass over one band of cell rows, in the band's own storage (FORCEBAND): every
// particle of the band gets the pair terms of its forward neighbours added to its sums in scan
// order and its velocity updated right after, drawing from the band's own random stream.
//
// Each cell row is first copied, in scan order, into flat records; the forward neighbours of a
// particle are then two runs of those copies: the rest of its own cell with the cell to its
// right, and the three cells below.  A coarse vector test picks the ones that may lie within one
// cell, the terms of the pairs are worked out two at a time, and then added in order.
class ForceBand {
  public:
    ForceBand(CoreMember& core, const WORLD_SETTINGS& world, FORCEBAND& storage);

    // Copies cell row `row` into the band's copy for it.  A band copies its rows as it goes;
    // the rows next to it that another band changes meanwhile are copied for it before the
    // bands start: the row above it, and the row below it (CopyRowBelow).
    void CopyRow(int32_t row);
    void CopyRowBelow(int32_t row);
    // Rows first ... last - 1, whose own copies and the copy of row `last` are made as needed:
    // `copied` says which of first - 1 and last were copied beforehand (bit 0 and bit 1).
    void Run(int32_t first, int32_t last, int32_t copied, RANDOMSTREAM& random);

    // How many random numbers the pass draws for rows first ... last - 1.
    static int64_t CountDraws(const CoreMember& core, int32_t first, int32_t last);

  private:
    SIDECOPY& Copy(int32_t row) { return band_.copies[row == band_.rowBelow ? 2 : row & 1]; }
    void ReceiveFromAbove(int32_t row);
    void RunRow(int32_t row, RANDOMSTREAM& random);
    int32_t Partners(int32_t self, int32_t rowEnd, int32_t belowBegin, int32_t belowEnd);
    void WorkOutTerms(const PAIRACTOR& a, int32_t count, RANDOMSTREAM& random);
    void UpdateVelocity(const PAIRSIDE& side, const SUM& sum, RANDOMSTREAM& random);
    void ClearSums(int32_t row);

    CoreMember& m_;
    const WORLD_SETTINGS& world_;
    FORCEBAND& band_;
    const PARTICLE_INFO_ITEM* items_;
    PAIRSIDE* sides_;
    uint32_t* coarse_;
    int32_t* columns_;
    SUM* sums_;
    int32_t* partners_;
    PAIRTERMS* terms_;
};

}  // namespace app
