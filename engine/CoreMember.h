#pragma once

#include <cstdint>

#include "engine/CELL.h"
#include "engine/DRAWWORK.h"
#include "engine/ParticleInfoList.h"
#include "engine/SUM.h"
#include "paint/Buffer.h"

namespace app {

class CoreMember;
class Image;

// The drawing pass of a turn: draws every live particle of `cells` into `image`, before any
// particle moves.  It may write each particle's `colour` (blur mode) but moves nothing and
// must not allocate.
using DrawPass = void (*)(CoreMember& core);

// The engine's state.  Open to the painting code, which draws from it; everything else goes
// through app::Core.
class CoreMember {
  public:
    ParticleInfoList infoList;
    Buffer<SUM> sums[2];  // force-pass accumulators of two cell rows, gridWidth x 32 each
    int32_t width = 0;    // document image, pixels
    int32_t height = 0;
    int32_t offsetX = 0;  // where the image lies inside the grid, pixels
    int32_t offsetY = 0;
    int32_t gridWidth = 0;  // cells
    int32_t gridHeight = 0;
    Buffer<CELL> cells;                // the live particles, gridWidth x gridHeight, row by row
    Buffer<CELL> nextCells;            // filled by the motion pass; exchanged with cells every turn
    // Particles per cell row of `cells` and of `nextCells`, so that the passes of a turn step
    // over empty rows without reading their cells: a turn then costs what its particles cost,
    // not what the image's size does.
    Buffer<int32_t> rowCounts;
    Buffer<int32_t> nextRowCounts;
    Buffer<DRAWWORK> drawWork;         // accumulation ring: 64 rows x width records
    Buffer<unsigned char> brushMasks;  // 16 masks of 8 x 8 bytes
    int32_t mode = 0;                  // 0 paint, 1 erase, 2 blur

    Image* image = nullptr;       // the document image that turns draw into and blur emission reads
    DrawPass drawPass = nullptr;  // installed by the document; no drawing while null

    CELL* Cells() { return cells.Data(); }
    CELL& CellAt(int32_t column, int32_t row) { return cells.Data()[row * gridWidth + column]; }
    // The next free slot of a cell of `cells` that has one, counted in its row.
    PARTICLE& Place(int32_t column, int32_t row) {
        CELL& cell = CellAt(column, row);
        if (!rowCounts.IsEmpty()) ++rowCounts.Data()[row];
        return cell.particles[cell.count++];
    }
    // Whether a row of `cells` may hold particles (always, before the counts exist).
    bool RowMayHoldParticles(int32_t row) const {
        return rowCounts.IsEmpty() || rowCounts.ConstData()[row] != 0;
    }
};

constexpr int32_t kDrawRingRows = 64;
constexpr int32_t kBrushMaskBytes = 1024;

}  // namespace app
