#pragma once

#include <cstdint>

#include "base/Buffer.h"
#include "engine/CELL.h"

namespace app {

// Particles of one snapshot and age share a colour; a band keeps the last ones it met.
struct COLOURMEMO {
    int32_t info;  // -1: empty
    int32_t age;
    uint32_t colour;
};
constexpr int32_t kColourMemo = 512;

// A colour a blurring particle picked up, kept until every band has drawn it with its old one.
struct PICKUP {
    PARTICLE* particle;
    uint32_t colour;
};

// The storage one band of image rows draws in: its accumulation ring (up to kDrawRingRows x width
// records, weights and colour words apart), which blocks of 16 records of each ring row
// something was laid on and which may hold a weight above the threshold (64 blocks to a word),
// room for the columns of one row to composite, which blocks it composited in the current tile
// row, its colour memo and its deferred pick-ups.
struct DRAWBAND {
    Buffer<uint16_t> weights;
    Buffer<uint32_t> colours;
    Buffer<uint64_t> touched;
    Buffer<uint64_t> heavy;
    Buffer<int32_t> heavyColumns;  // one row's records to composite: width + 16 entries
    Buffer<uint64_t> changed;      // the blocks composited in the current 16 rows, one word per 64
    Buffer<PICKUP> pickups;
    int32_t pickupCount;
    int32_t ringMask;  // ring rows - 1: a power of two, at most kDrawRingRows, rows in flight apart
    COLOURMEMO memo[kColourMemo];
};

}  // namespace app
