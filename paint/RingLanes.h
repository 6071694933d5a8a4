#pragma once

// The drawing pass's inner loops over its accumulation ring, internal to the pass: the ring
// keeps the weights and the colour words of its records in two arrays, so that one SSE2
// register holds the weights of a whole mark row and two hold its colours.
#include <emmintrin.h>

#include <cstdint>
#include <cstring>

#include "engine/PARTICLEGRID.h"
#include "paint/ParticleDrawing.h"

namespace app {

// The four bytes of a colour word as two pairs of doubles: (0, 1) and (2, 3).
inline void ColourLanes(uint32_t word, __m128d& low, __m128d& high) noexcept {
    const __m128i zero = _mm_setzero_si128();
    const __m128i bytes =
        _mm_unpacklo_epi16(_mm_unpacklo_epi8(_mm_cvtsi32_si128(static_cast<int32_t>(word)), zero), zero);
    low = _mm_cvtepi32_pd(bytes);
    high = _mm_cvtepi32_pd(_mm_shuffle_epi32(bytes, 0xEE));
}

// Four quotients below 256, (n0, n1) / d01 and (n2, n3) / d23, truncated (see SmallQuotient),
// packed into the bytes of a word.
inline uint32_t QuotientBytes(__m128d n01, __m128d d01, __m128d n23, __m128d d23) noexcept {
    const __m128i q01 = _mm_cvttpd_epi32(_mm_div_pd(n01, d01));
    const __m128i q23 = _mm_cvttpd_epi32(_mm_div_pd(n23, d23));
    const __m128i q = _mm_unpacklo_epi64(q01, q23);
    return static_cast<uint32_t>(_mm_cvtsi128_si32(_mm_packus_epi16(_mm_packs_epi32(q, q), q)));
}

// SplatRecord's means for a record that needs them, from its weight W > 0 and colour Q before
// the mark, a mask value m > 0 and a particle colour whose level is above 0: the new colour
// word.  With old = W x Ac and add = m x Ap (add > 0), each colour byte is
// (Q x old + P x add) / (old + add) and the level (old + add) / (W + m); where old is 0 the
// colour bytes come out as the particle's, as the rule says.  The numerators stay below 2^32,
// so they are exact in double.
inline uint32_t MixedColour(uint32_t W, uint32_t Q, uint32_t m, uint32_t particle) noexcept {
    const double old = static_cast<double>(W * (Q >> 24));
    const double add = static_cast<double>(m * (particle >> 24));
    const double total = old + add;
    __m128d q01, q23, p01, p23;
    ColourLanes(Q, q01, q23);
    ColourLanes(particle, p01, p23);
    const __m128d o = _mm_set1_pd(old), a = _mm_set1_pd(add);
    const __m128d n01 = _mm_add_pd(_mm_mul_pd(q01, o), _mm_mul_pd(p01, a));
    const __m128d n23 = _mm_unpacklo_pd(_mm_add_pd(_mm_mul_pd(q23, o), _mm_mul_pd(p23, a)), _mm_set_sd(total));
    return QuotientBytes(n01, _mm_set1_pd(total), n23, _mm_setr_pd(total, static_cast<double>(W + m)));
}

// Lays one full row of a mark (8 records) of colour `particle`, whose level is above 0.  The
// weights add with saturation, exactly min(W + m, 65535).  A record needs no mean where its
// mask value is 0, where it holds the particle's colour, or where nothing was laid on it yet
// (it then takes the particle's colour as it is); the others get MixedColour.
inline void LayMarkRow(uint16_t* weights, uint32_t* colours, const unsigned char* maskRow, uint32_t particle) noexcept {
    const __m128i zero = _mm_setzero_si128();
    const __m128i w = _mm_loadu_si128(reinterpret_cast<const __m128i*>(weights));
    const __m128i m = _mm_unpacklo_epi8(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(maskRow)), zero);
    const __m128i q0 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(colours));
    const __m128i q1 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(colours + 4));
    const __m128i p = _mm_set1_epi32(static_cast<int32_t>(particle));
    const __m128i same = _mm_packs_epi32(_mm_cmpeq_epi32(q0, p), _mm_cmpeq_epi32(q1, p));
    const __m128i none = _mm_cmpeq_epi16(m, zero);
    const __m128i plain = _mm_or_si128(_mm_or_si128(none, _mm_cmpeq_epi16(w, zero)), same);
    const uint32_t mixed = ~static_cast<uint32_t>(_mm_movemask_epi8(_mm_packs_epi16(plain, zero))) & 0xFFu;
    alignas(16) uint16_t oldWeights[8];
    alignas(16) uint32_t oldColours[8];
    if (mixed != 0) {
        _mm_store_si128(reinterpret_cast<__m128i*>(oldWeights), w);
        _mm_store_si128(reinterpret_cast<__m128i*>(oldColours), q0);
        _mm_store_si128(reinterpret_cast<__m128i*>(oldColours + 4), q1);
    }
    _mm_storeu_si128(reinterpret_cast<__m128i*>(weights), _mm_adds_epu16(w, m));
    const __m128i keep0 = _mm_unpacklo_epi16(none, none);
    const __m128i keep1 = _mm_unpackhi_epi16(none, none);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(colours),
                     _mm_or_si128(_mm_and_si128(keep0, q0), _mm_andnot_si128(keep0, p)));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(colours + 4),
                     _mm_or_si128(_mm_and_si128(keep1, q1), _mm_andnot_si128(keep1, p)));
    for (uint32_t bits = mixed; bits != 0; bits &= bits - 1) {
        const int32_t s = __builtin_ctz(bits);
        colours[s] = MixedColour(oldWeights[s], oldColours[s], maskRow[s], particle);
    }
}

// What CompositePixel does to a pixel under a record whose weight passes the threshold, with
// the three colour quotients in double lanes.
inline void CompositeHeavy(unsigned char* pixel, uint32_t weight, uint32_t colour, int32_t mode) noexcept {
    const uint32_t w = CompositeWeight(weight, colour);
    if (w == 0)
        return;
    const uint32_t a = pixel[3];
    if (mode != DrawingModeErase) {
        const double kept = static_cast<double>(a * 256);
        uint32_t before;
        std::memcpy(&before, pixel, 4);
        __m128d x01, x23, c01, c23;
        ColourLanes(before, x01, x23);  // the level's lane gives a mean of levels, unused
        ColourLanes(colour, c01, c23);
        const __m128d k = _mm_set1_pd(kept), v = _mm_set1_pd(static_cast<double>(w));
        const __m128d d = _mm_set1_pd(kept + static_cast<double>(w));
        const __m128d n01 = _mm_add_pd(_mm_mul_pd(x01, k), _mm_mul_pd(c01, v));
        const __m128d n23 = _mm_add_pd(_mm_mul_pd(x23, k), _mm_mul_pd(c23, v));
        const uint32_t level = ((65536u - w) * a + 255 * w) >> 16;
        const uint32_t after = (QuotientBytes(n01, d, n23, d) & 0xFFFFFFu) | level << 24;
        std::memcpy(pixel, &after, 4);
    } else {
        pixel[3] = static_cast<unsigned char>(((65536u - w) * a) >> 16);
    }
}

// Bits of the records among `count` (at most 16) whose weight passes the threshold of 180:
// only those can change the image.
inline uint32_t HeavyRecords(const uint16_t* weights, int32_t count) noexcept {
    uint32_t bits = 0;
    int32_t s = 0;
    const __m128i threshold = _mm_set1_epi16(180);
    const __m128i zero = _mm_setzero_si128();
    for (; s + 8 <= count; s += 8) {
        const __m128i w = _mm_loadu_si128(reinterpret_cast<const __m128i*>(weights + s));
        const __m128i light = _mm_cmpeq_epi16(_mm_subs_epu16(w, threshold), zero);
        bits |= (~static_cast<uint32_t>(_mm_movemask_epi8(_mm_packs_epi16(light, zero))) & 0xFFu) << s;
    }
    for (; s < count; ++s)
        bits |= static_cast<uint32_t>(weights[s] > 180) << s;
    return bits;
}

}  // namespace app
