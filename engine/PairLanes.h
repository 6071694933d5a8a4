#pragma once

// The force pass's inner loop, internal to the engine: which particles of a row may lie within
// one cell of a particle, and the pair interaction itself, two pairs at a time in the two lanes
// of an SSE2 register.  Every lane computes exactly what the plain formula computes in double:
// the same operations on the same operands in the same order (no fused or reordered
// arithmetic), and each particle's sums receive their terms one pair after the other, in scan
// order.
#include <emmintrin.h>

#include <cmath>
#include <cstdint>

#include "engine/PAIRSIDE.h"
#include "engine/Random.h"

namespace app {

// A position in 1/32768 of a cell as a 32-bit word: column * 32768 + fraction, wrapping.  The
// difference of two such words, read as signed, is the exact distance of two particles of
// neighbouring cells, and that distance in cells, (difference) / 32768, is exactly what
// subtracting their cell coordinates in double gives.
inline uint32_t PackedPosition(int32_t cell, uint16_t fraction) noexcept {
    return static_cast<uint32_t>(cell) * 32768u + fraction;
}

inline int32_t Offset(uint32_t from, uint32_t to) noexcept {
    return static_cast<int32_t>(to - from);
}

constexpr double kUnitsPerCell = 32768.0;
constexpr int64_t kOneCellSquared = int64_t{1} << 30;  // (32768 units)^2: a squared distance of 1 cell

// Particle A while its pairs are summed: its sums in registers, its velocity and its snapshot's
// values.
struct PAIRACTOR {
    __m128d force;     // forceX, forceY
    __m128d velocity;  // velocitySumX, velocitySumY
    __m128d weight;    // weight in the low lane
    __m128d v;         // its own velocity
    double gravity, repulsion, viscosity;
    double gravityArea, repulsionArea, viscosityArea;
    uint32_t x, y;
};

// Indexes lo ... hi-1 of the particles whose packed position may lie within one cell of (x, y),
// appended to `out` in order.  A test in float reads four at a time: its squared distance is
// within a few units of the exact one, so with a margin of 1024 units it never drops a
// neighbour; the pair itself then leaves out what lies beyond.  X and Y are read up to 3 entries
// past hi; out needs room for hi - lo + 3 entries.
inline int32_t NearCandidates(const uint32_t* X,
                              const uint32_t* Y,
                              int32_t lo,
                              int32_t hi,
                              uint32_t x,
                              uint32_t y,
                              int32_t* out) noexcept {
    const __m128i ax = _mm_set1_epi32(static_cast<int32_t>(x));
    const __m128i ay = _mm_set1_epi32(static_cast<int32_t>(y));
    const __m128 limit = _mm_set1_ps(static_cast<float>(kOneCellSquared + 1024));
    int32_t n = 0;
    for (int32_t g = lo; g < hi; g += 4) {
        const __m128i bx = _mm_loadu_si128(reinterpret_cast<const __m128i*>(X + g));
        const __m128i by = _mm_loadu_si128(reinterpret_cast<const __m128i*>(Y + g));
        const __m128 dx = _mm_cvtepi32_ps(_mm_sub_epi32(bx, ax));
        const __m128 dy = _mm_cvtepi32_ps(_mm_sub_epi32(by, ay));
        const __m128 d2 = _mm_add_ps(_mm_mul_ps(dx, dx), _mm_mul_ps(dy, dy));
        int32_t bits = _mm_movemask_ps(_mm_cmple_ps(d2, limit));
        if (hi - g < 4)
            bits &= (1 << (hi - g)) - 1;
        out[n] = g;
        n += bits & 1;
        out[n] = g + 1;
        n += (bits >> 1) & 1;
        out[n] = g + 2;
        n += (bits >> 2) & 1;
        out[n] = g + 3;
        n += bits >> 3;
    }
    return n;
}

inline __m128d Select(__m128d mask, __m128d yes, __m128d no) noexcept {
    return _mm_or_pd(_mm_and_pd(mask, yes), _mm_andnot_pd(mask, no));
}

// sum + term where the lane is on, sum where it is off.  Adding +0 leaves every sum unchanged
// except -0, and a sum that starts at +0 and only ever has terms added or subtracted is never -0
// (x + y is -0 only when both are), so this is exactly the conditional addition.
inline __m128d AddWhere(__m128d on, __m128d sum, __m128d term) noexcept {
    return _mm_add_pd(sum, _mm_and_pd(on, term));
}

// The terms of one pair, lane `L` of the two computed together, added to A's and B's sums.
template <int L>
inline void AddPairTerms(PAIRACTOR& a, const PAIRSIDE& b, __m128d fx, __m128d fy, __m128d wa, __m128d wb, __m128d on) {
    const __m128d f = L == 0 ? _mm_unpacklo_pd(fx, fy) : _mm_unpackhi_pd(fx, fy);
    const __m128d lane = L == 0 ? _mm_unpacklo_pd(on, on) : _mm_unpackhi_pd(on, on);
    const __m128d wA = L == 0 ? _mm_unpacklo_pd(wa, wa) : _mm_unpackhi_pd(wa, wa);
    const __m128d wB = L == 0 ? _mm_unpacklo_pd(wb, wb) : _mm_unpackhi_pd(wb, wb);
    a.force = _mm_add_pd(a.force, f);
    a.velocity = AddWhere(lane, a.velocity, _mm_mul_pd(_mm_loadu_pd(&b.vx), wA));
    a.weight = AddWhere(lane, a.weight, wA);
    SUM& s = *b.sum;
    _mm_storeu_pd(&s.forceX, _mm_sub_pd(_mm_loadu_pd(&s.forceX), f));
    _mm_storeu_pd(&s.velocitySumX, AddWhere(lane, _mm_loadu_pd(&s.velocitySumX), _mm_mul_pd(a.v, wB)));
    _mm_store_sd(&s.weight, AddWhere(lane, _mm_load_sd(&s.weight), wB));
}

// One pair through the plain formula, for the pairs the lanes do not take: an odd last one and
// particles on the same spot, which draw random numbers.
inline void PairOne(PAIRACTOR& a, const PAIRSIDE& b, uint32_t bx, uint32_t by) {
    const double dx = Offset(a.x, bx) / kUnitsPerCell;
    const double dy = Offset(a.y, by) / kUnitsPerCell;
    const double d2 = dx * dx + dy * dy;
    if (d2 > 1.0)
        return;
    double fx = 0.0;
    double fy = 0.0;
    SUM& s = *b.sum;
    if (d2 > 0.0) {
        const double dist = std::sqrt(d2);
        double force = 0.0;
        const double la = 1.0 - a.gravityArea * dist;
        if (la > 0.0)
            force = a.gravity * b.gravity * la;
        const double lr = 1.0 - a.repulsionArea * d2;
        if (lr > 0.0)
            force = force - a.repulsion * b.repulsion * lr;
        fx = force * dx / dist;
        fy = force * dy / dist;
        const double lv = 1.0 - a.viscosityArea * dist;
        if (lv > 0.0) {
            const double wa = b.viscosity * lv;
            a.velocity = _mm_add_pd(a.velocity, _mm_mul_pd(_mm_loadu_pd(&b.vx), _mm_set1_pd(wa)));
            a.weight = _mm_add_sd(a.weight, _mm_set_sd(wa));
            const double wb = a.viscosity * lv;
            _mm_storeu_pd(&s.velocitySumX, _mm_add_pd(_mm_loadu_pd(&s.velocitySumX), _mm_mul_pd(a.v, _mm_set1_pd(wb))));
            s.weight += wb;
        }
    } else if (a.gravity > 0.0 || a.repulsion > 0.0) {
        // Coincident particles drift apart instead of staying stuck together.
        fx = Random() * 0.01 / kRandomMax;
        fy = Random() * 0.01 / kRandomMax;
    }
    const __m128d f = _mm_setr_pd(fx, fy);
    a.force = _mm_add_pd(a.force, f);
    _mm_storeu_pd(&s.forceX, _mm_sub_pd(_mm_loadu_pd(&s.forceX), f));
}

// Two pairs at once.  A lane whose partner lies beyond one cell adds +0 everywhere, which
// changes no sum (see AddWhere).  Where either partner is coincident both go through PairOne,
// in order, so that the random draws come where the plain pass makes them.
inline void PairTwo(PAIRACTOR& a,
                    const PAIRSIDE& b0,
                    const PAIRSIDE& b1,
                    const uint32_t* X,
                    const uint32_t* Y,
                    int32_t g0,
                    int32_t g1) {
    const __m128d scale = _mm_set1_pd(1.0 / kUnitsPerCell);
    const __m128d dx = _mm_mul_pd(_mm_cvtepi32_pd(_mm_setr_epi32(Offset(a.x, X[g0]), Offset(a.x, X[g1]), 0, 0)), scale);
    const __m128d dy = _mm_mul_pd(_mm_cvtepi32_pd(_mm_setr_epi32(Offset(a.y, Y[g0]), Offset(a.y, Y[g1]), 0, 0)), scale);
    const __m128d d2 = _mm_add_pd(_mm_mul_pd(dx, dx), _mm_mul_pd(dy, dy));
    const __m128d zero = _mm_setzero_pd();
    const __m128d one = _mm_set1_pd(1.0);
    const __m128d near = _mm_cmple_pd(d2, one);
    if (_mm_movemask_pd(_mm_and_pd(near, _mm_cmpeq_pd(d2, zero))) != 0) {
        PairOne(a, b0, X[g0], Y[g0]);
        PairOne(a, b1, X[g1], Y[g1]);
        return;
    }
    const __m128d dist = _mm_sqrt_pd(d2);
    const __m128d la = _mm_sub_pd(one, _mm_mul_pd(_mm_set1_pd(a.gravityArea), dist));
    const __m128d attraction = _mm_mul_pd(_mm_mul_pd(_mm_set1_pd(a.gravity), _mm_setr_pd(b0.gravity, b1.gravity)), la);
    __m128d force = _mm_and_pd(_mm_cmpgt_pd(la, zero), attraction);
    const __m128d lr = _mm_sub_pd(one, _mm_mul_pd(_mm_set1_pd(a.repulsionArea), d2));
    const __m128d rr = _mm_mul_pd(_mm_set1_pd(a.repulsion), _mm_setr_pd(b0.repulsion, b1.repulsion));
    force = Select(_mm_cmpgt_pd(lr, zero), _mm_sub_pd(force, _mm_mul_pd(rr, lr)), force);
    const __m128d fx = _mm_and_pd(near, _mm_div_pd(_mm_mul_pd(force, dx), dist));
    const __m128d fy = _mm_and_pd(near, _mm_div_pd(_mm_mul_pd(force, dy), dist));
    const __m128d lv = _mm_sub_pd(one, _mm_mul_pd(_mm_set1_pd(a.viscosityArea), dist));
    const __m128d on = _mm_and_pd(near, _mm_cmpgt_pd(lv, zero));
    const __m128d wa = _mm_mul_pd(_mm_setr_pd(b0.viscosity, b1.viscosity), lv);
    const __m128d wb = _mm_mul_pd(_mm_set1_pd(a.viscosity), lv);
    AddPairTerms<0>(a, b0, fx, fy, wa, wb, on);
    AddPairTerms<1>(a, b1, fx, fy, wa, wb, on);
}

}  // namespace app
