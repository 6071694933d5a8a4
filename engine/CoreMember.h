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
    Buffer<DRAWWORK> drawWork;         // accumulation ring: 64 rows x width records
    Buffer<unsigned char> brushMasks;  // 16 masks of 8 x 8 bytes
    int32_t mode = 0;                  // 0 paint, 1 erase, 2 blur

    Image* image = nullptr;       // the document image that turns draw into and blur emission reads
    DrawPass drawPass = nullptr;  // installed by the document; no drawing while null

    CELL* Cells() { return cells.Data(); }
    CELL& CellAt(int32_t column, int32_t row) { return cells.Data()[row * gridWidth + column]; }
};

constexpr int32_t kDrawRingRows = 64;
constexpr int32_t kBrushMaskBytes = 1024;

}  // namespace app
