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
    Buffer<CELLROW> rows;              // what each row of `cells` holds
    Buffer<CELLROW> nextRows;          // the same for `nextCells`
    Buffer<DRAWWORK> drawWork;         // accumulation ring: 64 rows x width records
    Buffer<unsigned char> brushMasks;  // 16 masks of 8 x 8 bytes
    int32_t mode = 0;                  // 0 paint, 1 erase, 2 blur

    Image* image = nullptr;       // the document image that turns draw into and blur emission reads
    DrawPass drawPass = nullptr;  // installed by the document; no drawing while null

    CELL* Cells() { return cells.Data(); }
    CELL& CellAt(int32_t column, int32_t row) { return cells.Data()[row * gridWidth + column]; }
    // The next free slot of a cell of `cells` that has one, noted in its row.
    PARTICLE& Place(int32_t column, int32_t row) {
        CELL& cell = CellAt(column, row);
        if (!rows.IsEmpty())
            rows.Data()[row].Placed(column);
        return cell.particles[cell.count++];
    }
    // The columns of a row of `cells` that may hold particles, first ... last (none when
    // first > last); every column before the rows are kept.
    void OccupiedColumns(int32_t row, int32_t& first, int32_t& last) const {
        if (rows.IsEmpty()) {
            first = 0;
            last = gridWidth - 1;
            return;
        }
        const CELLROW& r = rows.ConstData()[row];
        first = r.count > 0 ? r.first : 1;
        last = r.count > 0 ? r.last : 0;
    }
};

constexpr int32_t kDrawRingRows = 64;
constexpr int32_t kBrushMaskBytes = 1024;

}  // namespace app
