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

// The storage one band of cell rows works in during the force pass: copies of three cell rows in
// scan order (3 x gridWidth x 32 records) with their coarse positions (with 4 entries of
// padding for reads four at a time), where each column begins in its row's copy
// (3 x gridWidth), the sums of two rows (gridWidth x 32 each, all zero between passes), and one
// particle's forward neighbours with their terms.  The copies of the rows with even and odd
// numbers take turns; the third holds the row below the band when that row was copied before
// the band started.  A pass that runs its bands side by side gives each band its own.
struct FORCEBAND {
    Buffer<PAIRSIDE> sides;
    Buffer<uint32_t> coarse;
    Buffer<int32_t> starts;
    Buffer<SUM> sums[2];
    Buffer<int32_t> partners;
    Buffer<PAIRTERMS> terms;
    SIDECOPY copies[3];
    int32_t rowBelow;  // the row in copies[2]; -1 for none
};

}  // namespace app
