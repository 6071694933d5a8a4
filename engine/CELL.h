#pragma once

#include <cstdint>

namespace app {

// One particle slot of a grid cell.
struct PARTICLE {
    uint16_t fx, fy;      // position inside the cell in 1/32768 of a cell, 0 ... 32767
    float vx, vy;         // velocity in cells per turn
    int32_t age;          // turns lived; 0 when emitted
    int32_t info;         // snapshot index; the particle holds one reference on it
    int32_t generations;  // how many more times the particle's line may split
    uint32_t colour;      // colour word carried in blur mode; copied unchanged when moving
};

constexpr int32_t kCellCapacity = 32;
constexpr int32_t kCellPixels = 16;
constexpr double kFractionScale = 32768.0;

// One grid cell: slots 0 ... count-1 hold its particles in insertion order.  The count comes
// first, on the cache line of the first slots, so that placing a particle into a cell touches
// one line rather than two.
struct CELL {
    int32_t count;
    PARTICLE particles[kCellCapacity];
};

// What one row of cells holds: how many particles, and between which columns.  The passes of a
// turn read it instead of every cell, so that a turn costs what its particles cost rather than
// what the image's size does.
struct CELLROW {
    int32_t count;  // 0: the row is empty and first, last mean nothing
    int32_t first;  // the leftmost and rightmost columns that have held a particle this turn
    int32_t last;

    void Placed(int32_t column) {
        if (count++ == 0) {
            first = last = column;
        } else {
            first = column < first ? column : first;
            last = column > last ? column : last;
        }
    }
};

// The columns of a row that may hold particles, first ... last (none when first > last).  Without
// row records (null) every column may.
inline void OccupiedColumns(const CELLROW* rows, int32_t row, int32_t gridWidth, int32_t& first, int32_t& last) {
    if (!rows) {
        first = 0;
        last = gridWidth - 1;
        return;
    }
    const CELLROW& r = rows[row];
    first = r.count > 0 ? r.first : 1;
    last = r.count > 0 ? r.last : 0;
}

}  // namespace app
