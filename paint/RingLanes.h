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
// (it then takes the particle's colour as it is); the others get MixedColour.  Returns whether
// any of the 8 weights now passes the threshold of 180.
inline bool LayMarkRow(uint16_t* weights, uint32_t* colours, const unsigned char* maskRow, uint32_t particle) noexcept {
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
    const __m128i laid = _mm_adds_epu16(w, m);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(weights), laid);
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
    const __m128i light = _mm_cmpeq_epi16(_mm_subs_epu16(laid, _mm_set1_epi16(180)), zero);
    return _mm_movemask_epi8(light) != 0xFFFF;
}

// Empties `count` records, at most 16.
inline void EmptyRecords(uint16_t* weights, uint32_t* colours, int32_t count) noexcept {
    if (count < 16) {
        std::memset(weights, 0, sizeof(uint16_t) * static_cast<size_t>(count));
        std::memset(colours, 0, sizeof(uint32_t) * static_cast<size_t>(count));
        return;
    }
    const __m128i zero = _mm_setzero_si128();
    _mm_storeu_si128(reinterpret_cast<__m128i*>(weights), zero);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(weights + 8), zero);
    for (int32_t s = 0; s < 16; s += 4)
        _mm_storeu_si128(reinterpret_cast<__m128i*>(colours + s), zero);
}

// The four bytes of a colour word as 32-bit lanes.
inline __m128i ByteLanes(uint32_t word) noexcept {
    const __m128i zero = _mm_setzero_si128();
    return _mm_unpacklo_epi16(_mm_unpacklo_epi8(_mm_cvtsi32_si128(static_cast<int32_t>(word)), zero), zero);
}

// What CompositePixel does to a pixel under a record whose weight passes the threshold.  Each
// colour byte (x * K + Q * w) / (K + w), K = a * 256, is x + floor((Q - x) * w / (K + w)): the
// numerator (at most 255 * 65536 in size) and the divisor (at most 130816, below 2^17) are exact
// in float, the quotient is below 256 in size, and one that is not whole lies at least 1/(K + w)
// (more than 2^-17) from the whole numbers around it while float rounds it by at most 2^-17, so
// the floor of the float quotient is the floor of the true one.  The three bytes take one
// division of four float lanes.
inline void CompositeHeavy(unsigned char* pixel, uint32_t weight, uint32_t colour, int32_t mode) noexcept {
    const uint32_t w = CompositeWeight(weight, colour);
    if (w == 0)
        return;
    const uint32_t a = pixel[3];
    if (mode == DrawingModeErase) {
        pixel[3] = static_cast<unsigned char>(((65536u - w) * a) >> 16);
        return;
    }
    uint32_t before;
    std::memcpy(&before, pixel, 4);
    const __m128i x = ByteLanes(before);
    const __m128 numerator =
        _mm_mul_ps(_mm_cvtepi32_ps(_mm_sub_epi32(ByteLanes(colour), x)), _mm_set1_ps(static_cast<float>(w)));
    const __m128 quotient = _mm_div_ps(numerator, _mm_set1_ps(static_cast<float>(a * 256 + w)));
    const __m128i truncated = _mm_cvttps_epi32(quotient);
    // Toward minus infinity: one less where truncation went up.
    const __m128i down = _mm_castps_si128(_mm_cmplt_ps(quotient, _mm_cvtepi32_ps(truncated)));
    const __m128i bytes = _mm_add_epi32(x, _mm_add_epi32(truncated, down));
    const uint32_t rgb =
        static_cast<uint32_t>(_mm_cvtsi128_si32(_mm_packus_epi16(_mm_packs_epi32(bytes, bytes), bytes)));
    const uint32_t level = ((65536u - w) * a + 255 * w) >> 16;
    const uint32_t after = (rgb & 0xFFFFFFu) | level << 24;
    std::memcpy(pixel, &after, 4);
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

// For each 4-bit mask, the positions of its set bits in order, and how many there are.
struct NIBBLELANES {
    int32_t lanes[16][4];
    int32_t count[16];
};

constexpr NIBBLELANES MakeNibbleLanes() {
    NIBBLELANES table{};
    for (int32_t bits = 0; bits < 16; ++bits) {
        for (int32_t lane = 0; lane < 4; ++lane) {
            if (bits & (1 << lane))
                table.lanes[bits][table.count[bits]++] = lane;
        }
    }
    return table;
}

alignas(16) constexpr NIBBLELANES kNibbleLanes = MakeNibbleLanes();

// Appends to `out` the columns x0 + s of the records among `count` (at most 16) whose weight
// passes the threshold, in order, without a branch per record; writes up to 3 entries past the
// last one kept.  Returns how many it kept.
inline int32_t AppendHeavy(const uint16_t* weights, int32_t x0, int32_t count, int32_t* out) noexcept {
    const uint32_t bits = HeavyRecords(weights, count);
    int32_t n = 0;
    for (int32_t s = 0; s < count; s += 4) {
        const uint32_t nibble = (bits >> s) & 0xFu;
        const __m128i lanes = _mm_load_si128(reinterpret_cast<const __m128i*>(kNibbleLanes.lanes[nibble]));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + n), _mm_add_epi32(lanes, _mm_set1_epi32(x0 + s)));
        n += kNibbleLanes.count[nibble];
    }
    return n;
}

}  // namespace app
