#pragma once

#include <cstddef>
#include <cstdint>

#include "engine/CELL.h"
#include "engine/PARTICLE_INFO_ITEM.h"

namespace app {

class Image;
class WorkCrew;

// Drawing modes of the engine; they are also the tool numbers.
enum DrawingMode : int32_t {
    DrawingModePaint = 0,
    DrawingModeErase = 1,
    DrawingModeBlur = 2,
};

// The current grid of a turn as the drawing pass sees it: where the particles stand, which rows
// hold any, the snapshots they point to, and the image they are drawn into.  The image lies
// inside the grid at (offsetX, offsetY) pixels.
struct PARTICLEGRID {
    CELL* cells;          // gridWidth x gridHeight, row by row
    const CELLROW* rows;  // what each row holds; null when not kept (every column may hold one)
    int32_t gridWidth;    // cells
    int32_t gridHeight;
    int32_t offsetX;  // pixels
    int32_t offsetY;
    int32_t width;  // image, pixels
    int32_t height;
    const PARTICLE_INFO_ITEM* items;
    int32_t itemCount;
    int32_t mode;    // a DrawingMode
    Image* image;    // the document image; null while there is none
    WorkCrew* crew;  // threads the pass may share its work among; null: none

    CELL* Row(int32_t row) const noexcept { return cells + static_cast<ptrdiff_t>(row) * gridWidth; }
    void Columns(int32_t row, int32_t& first, int32_t& last) const {
        OccupiedColumns(rows, row, gridWidth, first, last);
    }
};

}  // namespace app
