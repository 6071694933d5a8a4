#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "base/Buffer.h"
#include "base/WorkCrew.h"
#include "engine/CELL.h"
#include "engine/FORCEBAND.h"
#include "engine/ParticleInfoList.h"
#include "engine/SUM.h"

namespace app {

class Image;
class ParticleDrawer;

// The engine's state, shared by its passes (and open to the engine's own tests); everything else
// goes through app::Core.
class CoreMember {
  public:
    ParticleInfoList infoList;
    int32_t width = 0;  // document image, pixels
    int32_t height = 0;
    int32_t offsetX = 0;  // where the image lies inside the grid, pixels
    int32_t offsetY = 0;
    int32_t gridWidth = 0;  // cells
    int32_t gridHeight = 0;
    Buffer<CELL> cells;              // the live particles, gridWidth x gridHeight, row by row
    Buffer<CELL> nextCells;          // filled by the motion pass; exchanged with cells every turn
    Buffer<CELLROW> rows;            // what each row of `cells` holds
    Buffer<CELLROW> nextRows;        // the same for `nextCells`
    std::vector<FORCEBAND> bands;    // the force pass's storage, one per band it may run at once
    std::unique_ptr<WorkCrew> crew;  // the threads a turn's passes share their work among
    int32_t fewestToShare = 2048;    // below this many particles a pass is too short to share out
    int32_t mode = 0;                // a DrawingMode

    Image* image = nullptr;            // the document image that turns draw into and blur emission reads
    ParticleDrawer* drawer = nullptr;  // installed by the document; no drawing while null

    CELL& CellAt(int32_t column, int32_t row) { return cells.Data()[row * gridWidth + column]; }
    // The next free slot of a cell of `cells` that has one, noted in its row.
    PARTICLE& Place(int32_t column, int32_t row) {
        CELL& cell = CellAt(column, row);
        if (!rows.IsEmpty())
            rows.Data()[row].Placed(column);
        return cell.particles[cell.count++];
    }
    void OccupiedColumns(int32_t row, int32_t& first, int32_t& last) const {
        app::OccupiedColumns(rows.IsEmpty() ? nullptr : rows.ConstData(), row, gridWidth, first, last);
    }
};

}  // namespace app
