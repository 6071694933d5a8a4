#pragma once

#include <cstdint>

#include "base/Buffer.h"
#include "engine/PAIRSIDE.h"
#include "engine/SUM.h"

namespace app {

// One cell row's copy in a band's storage: entries base ... base + count - 1, in scan order, and
// where each column of first ... last begins among them.
struct SIDECOPY {
    int32_t base;
    int32_t count;
    int32_t first;
    int32_t last;
    int32_t* starts;

    // Index of the first particle of `column` or of any column after it.
    int32_t Start(int32_t column) const {
        if (column <= first)
            return base;
        return base + (column > last ? count : starts[column]);
    }
};

// The storage one band of cell rows works in during the force pass: copies of two or three cell
// rows in scan order (gridWidth x 32 records each) with their coarse positions (with 4 entries
// of padding for reads four at a time), their cell columns, their sums (all zero between
// passes) and where each column begins in them (gridWidth each), and one particle's forward neighbours with their
// terms.  The copies of the rows with even and odd numbers take turns; the third, which only
// a pass that runs its bands side by side has, holds the row below the band, copied before the
// band started.  Each band has its own.
struct FORCEBAND {
    Buffer<PAIRSIDE> sides;
    Buffer<uint32_t> coarse;
    Buffer<int32_t> columns;
    Buffer<int32_t> starts;
    Buffer<SUM> sums;
    Buffer<int32_t> partners;
    Buffer<PAIRTERMS> terms;
    SIDECOPY copies[3];
    int32_t rowBelow;  // the row in copies[2]; -1 for none
};

}  // namespace app
