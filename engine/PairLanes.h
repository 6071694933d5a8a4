#pragma once

// The force pass's inner loops, internal to the engine.  For one particle A: which particles of
// its forward neighbourhood may lie within one cell (a coarse vector test that never drops one
// that does), the terms of each such pair, two pairs at a time in the two lanes of an SSE2
// register, and then the terms added to the sums one pair after the other in scan order.  Every
// lane computes exactly what the plain formula computes in double: the same operations on the
// same operands in the same order (no fused or reordered arithmetic).
#include <emmintrin.h>

#include <cmath>
#include <cstdint>

#include "engine/PAIRSIDE.h"
#include "engine/Random.h"

namespace app {

// A position in 1/32768 of a cell as a 32-bit word: column * 32768 + fraction, wrapping.
inline uint32_t PackedPosition(int32_t cell, uint16_t fraction) noexcept {
    return static_cast<uint32_t>(cell) * 32768u + fraction;
}

// Both packed positions in units of 4, wrapped to 16 bits each (x low, y high): the neighbour
// test's coarse copy.  For particles of neighbouring cells the 16-bit differences are exact
// differences of the coarse positions, each within |d| / 4 + 1 of a quarter of the exact
// difference d.
inline uint32_t CoarsePosition(uint32_t x, uint32_t y) noexcept {
    return ((x >> 2) & 0xFFFFu) | (y >> 2) << 16;
}
// A pair within one cell (dx^2 + dy^2 <= 32768^2) has coarse differences with
// cx^2 + cy^2 < (|dx|/4 + 1)^2 + (|dy|/4 + 1)^2 <= 2^26 + (|dx| + |dy|) / 2 + 2 <= 2^26 + 23173.
constexpr int32_t kCoarseLimit = (1 << 26) + 23172;

// Particle A while its pairs are worked out: its sums, its velocity, its snapshot's values and
// its position.
struct PAIRACTOR {
    __m128d force;     // forceX, forceY
    __m128d velocity;  // velocitySumX, velocitySumY
    __m128d weight;    // weight in the low lane
    __m128d v;         // its own velocity
    double x, y;
    double gravity, repulsion, viscosity;
    double gravityArea, repulsionArea, viscosityArea;
};

// For each 4-bit mask, the positions of its set bits in order, and how many there are.
struct COMPACTION {
    int32_t lanes[16][4];
    int32_t count[16];
};

constexpr COMPACTION MakeCompaction() {
    COMPACTION table{};
    for (int32_t bits = 0; bits < 16; ++bits) {
        for (int32_t lane = 0; lane < 4; ++lane) {
            if (bits & (1 << lane))
                table.lanes[bits][table.count[bits]++] = lane;
        }
    }
    return table;
}

alignas(16) constexpr COMPACTION kCompaction = MakeCompaction();

// Indexes lo ... hi-1 of the particles whose coarse position `coarse` says may lie within one
// cell of A's (`self`), appended to `out` in order; four at a time, two 16-bit products summed
// per lane.  `coarse` is read up to 3 entries past hi; `out` is written up to 4 entries past the
// last index kept.
inline int32_t NearCandidates(const uint32_t* coarse, int32_t lo, int32_t hi, uint32_t self, int32_t* out) noexcept {
    const __m128i a = _mm_set1_epi32(static_cast<int32_t>(self));
    const __m128i limit = _mm_set1_epi32(kCoarseLimit);
    __m128i index = _mm_set1_epi32(lo);
    int32_t n = 0;
    for (int32_t g = lo; g < hi; g += 4) {
        const __m128i d = _mm_sub_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(coarse + g)), a);
        const __m128i far = _mm_cmpgt_epi32(_mm_madd_epi16(d, d), limit);
        int32_t bits = ~_mm_movemask_ps(_mm_castsi128_ps(far)) & 0xF;
        if (hi - g < 4)
            bits &= (1 << (hi - g)) - 1;
        const __m128i lanes = _mm_load_si128(reinterpret_cast<const __m128i*>(kCompaction.lanes[bits]));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + n), _mm_add_epi32(index, lanes));
        n += kCompaction.count[bits];
        index = _mm_add_epi32(index, _mm_set1_epi32(4));
    }
    return n;
}

// One pair through the plain formula, for what the lanes do not take: an odd last pair and
// particles on the same spot, which draw random numbers (in pair order, as the plain pass does:
// nothing else draws while A's pairs are worked out).
inline void PairOne(const PAIRACTOR& a, const PAIRSIDE& b, PAIRTERMS& t, RANDOMSTREAM& random) {
    t = PAIRTERMS{};
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    const double d2 = dx * dx + dy * dy;
    if (d2 > 1.0)
        return;
    if (d2 > 0.0) {
        const double dist = std::sqrt(d2);
        double force = 0.0;
        const double la = 1.0 - a.gravityArea * dist;
        if (la > 0.0)
            force = a.gravity * b.gravity * la;
        const double lr = 1.0 - a.repulsionArea * d2;
        if (lr > 0.0)
            force = force - a.repulsion * b.repulsion * lr;
        t.force[0] = force * dx / dist;
        t.force[1] = force * dy / dist;
        const double lv = 1.0 - a.viscosityArea * dist;
        if (lv > 0.0) {
            const double wa = b.viscosity * lv;
            t.towardA[0] = b.vx * wa;
            t.towardA[1] = b.vy * wa;
            t.weightA = wa;
            const double wb = a.viscosity * lv;
            _mm_storeu_pd(t.towardB, _mm_mul_pd(a.v, _mm_set1_pd(wb)));
            t.weightB = wb;
        }
    } else if (a.gravity > 0.0 || a.repulsion > 0.0) {
        // Coincident particles drift apart instead of staying stuck together.
        t.force[0] = random.Next() * 0.01 / kRandomMax;
        t.force[1] = random.Next() * 0.01 / kRandomMax;
    }
}

// Lane L of `v` in both lanes.
template <int L>
inline __m128d Lane(__m128d v) noexcept {
    return L == 0 ? _mm_unpacklo_pd(v, v) : _mm_unpackhi_pd(v, v);
}

template <int L>
inline void StoreTerms(PAIRTERMS& t,
                       const PAIRSIDE& b,
                       const PAIRACTOR& a,
                       __m128d fx,
                       __m128d fy,
                       __m128d wa,
                       __m128d wb,
                       __m128d on) noexcept {
    _mm_storeu_pd(t.force, L == 0 ? _mm_unpacklo_pd(fx, fy) : _mm_unpackhi_pd(fx, fy));
    const __m128d lane = Lane<L>(on);
    // The products are masked after they are made: a velocity that is not finite times a
    // weight of 0 would not be 0.
    _mm_storeu_pd(t.towardA, _mm_and_pd(lane, _mm_mul_pd(_mm_loadu_pd(&b.vx), Lane<L>(wa))));
    _mm_storeu_pd(t.towardB, _mm_and_pd(lane, _mm_mul_pd(a.v, Lane<L>(wb))));
    const __m128d weights = _mm_and_pd(lane, L == 0 ? _mm_unpacklo_pd(wa, wb) : _mm_unpackhi_pd(wa, wb));
    _mm_storeu_pd(&t.weightA, weights);
}

// Two pairs at once.  A lane whose partner lies beyond one cell gets terms of +0.  Where either
// partner is coincident both go through PairOne, in order.
inline void PairTwo(const PAIRACTOR& a, const PAIRSIDE& b0, const PAIRSIDE& b1, PAIRTERMS* t, RANDOMSTREAM& random) {
    const __m128d p0 = _mm_loadu_pd(&b0.x), p1 = _mm_loadu_pd(&b1.x);
    const __m128d dx = _mm_sub_pd(_mm_unpacklo_pd(p0, p1), _mm_set1_pd(a.x));
    const __m128d dy = _mm_sub_pd(_mm_unpackhi_pd(p0, p1), _mm_set1_pd(a.y));
    const __m128d d2 = _mm_add_pd(_mm_mul_pd(dx, dx), _mm_mul_pd(dy, dy));
    const __m128d zero = _mm_setzero_pd();
    const __m128d one = _mm_set1_pd(1.0);
    const __m128d near = _mm_cmple_pd(d2, one);
    if (_mm_movemask_pd(_mm_and_pd(near, _mm_cmpeq_pd(d2, zero))) != 0) {
        PairOne(a, b0, t[0], random);
        PairOne(a, b1, t[1], random);
        return;
    }
    const __m128d dist = _mm_sqrt_pd(d2);
    const __m128d la = _mm_sub_pd(one, _mm_mul_pd(_mm_set1_pd(a.gravityArea), dist));
    const __m128d attraction = _mm_mul_pd(_mm_mul_pd(_mm_set1_pd(a.gravity), _mm_setr_pd(b0.gravity, b1.gravity)), la);
    __m128d force = _mm_and_pd(_mm_cmpgt_pd(la, zero), attraction);
    const __m128d lr = _mm_sub_pd(one, _mm_mul_pd(_mm_set1_pd(a.repulsionArea), d2));
    const __m128d rr = _mm_mul_pd(_mm_set1_pd(a.repulsion), _mm_setr_pd(b0.repulsion, b1.repulsion));
    // force - (+0) is force exactly, so the repulsion can be masked instead of the result.
    force = _mm_sub_pd(force, _mm_and_pd(_mm_cmpgt_pd(lr, zero), _mm_mul_pd(rr, lr)));
    const __m128d fx = _mm_and_pd(near, _mm_div_pd(_mm_mul_pd(force, dx), dist));
    const __m128d fy = _mm_and_pd(near, _mm_div_pd(_mm_mul_pd(force, dy), dist));
    const __m128d lv = _mm_sub_pd(one, _mm_mul_pd(_mm_set1_pd(a.viscosityArea), dist));
    const __m128d on = _mm_and_pd(near, _mm_cmpgt_pd(lv, zero));
    const __m128d wa = _mm_mul_pd(_mm_setr_pd(b0.viscosity, b1.viscosity), lv);
    const __m128d wb = _mm_mul_pd(_mm_set1_pd(a.viscosity), lv);
    StoreTerms<0>(t[0], b0, a, fx, fy, wa, wb, on);
    StoreTerms<1>(t[1], b1, a, fx, fy, wa, wb, on);
}

// Adds one pair's terms to A's sums and B's.  A term of +0 changes no sum: adding +0 changes
// only -0, and a sum that starts at +0 and only has terms added or subtracted is never -0 (x + y
// is -0 only when both are), so a pair that adds nothing to a sum may add +0 to it.
inline void AddTermsToB(const PAIRTERMS& t, SUM& b) noexcept {
    _mm_storeu_pd(&b.forceX, _mm_sub_pd(_mm_loadu_pd(&b.forceX), _mm_loadu_pd(t.force)));
    _mm_storeu_pd(&b.velocitySumX, _mm_add_pd(_mm_loadu_pd(&b.velocitySumX), _mm_loadu_pd(t.towardB)));
    b.weight += t.weightB;
}

inline void AddTerms(PAIRACTOR& a, const PAIRTERMS& t, SUM& b) noexcept {
    a.force = _mm_add_pd(a.force, _mm_loadu_pd(t.force));
    a.velocity = _mm_add_pd(a.velocity, _mm_loadu_pd(t.towardA));
    a.weight = _mm_add_sd(a.weight, _mm_load_sd(&t.weightA));
    AddTermsToB(t, b);
}

}  // namespace app
