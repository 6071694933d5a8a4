#pragma once

// The drawing pass's inner loops over its accumulation ring, internal to the pass: the ring
// keeps the weights and the colour words of its records in two arrays, so that one SSE2
// register holds the weights of a whole mark row and two hold its colours.
#include <emmintrin.h>

#include <cstdint>

#include "paint/ParticleDrawing.h"

namespace app {

// Lays one full row of a mark (8 records) of colour `particle`, whose level is above 0.  Where
// every record is one that needs no mean (mask value 0, the particle's own colour, or a record
// that nothing was laid on yet, which then takes the particle's colour as it is) the row is
// laid in a few vector operations: the weights add with saturation at 65535, exactly as
// min(W + m, 65535).  Otherwise each record goes through SplatRecord.
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
    if (_mm_movemask_epi8(plain) != 0xFFFF) {
        for (int32_t s = 0; s < 8; ++s)
            SplatRecord(weights[s], colours[s], maskRow[s], particle);
        return;
    }
    _mm_storeu_si128(reinterpret_cast<__m128i*>(weights), _mm_adds_epu16(w, m));
    const __m128i lay0 = _mm_unpacklo_epi16(none, none);
    const __m128i lay1 = _mm_unpackhi_epi16(none, none);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(colours),
                     _mm_or_si128(_mm_and_si128(lay0, q0), _mm_andnot_si128(lay0, p)));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(colours + 4),
                     _mm_or_si128(_mm_and_si128(lay1, q1), _mm_andnot_si128(lay1, p)));
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
