#pragma once

#include <cstdint>

#include "engine/SPRAYSTYLE.h"  // ColoringRule

namespace app {

// Colour words: bytes from the lowest are red, green, blue and a level (the opacity when drawn),
// laid out like a document pixel; the low three bytes are a COLORREF.
inline uint32_t ColorWord(uint32_t red, uint32_t green, uint32_t blue, uint32_t level) noexcept {
    return red | green << 8 | blue << 16 | level << 24;
}

inline uint32_t ColorByte(uint32_t color, int32_t k) noexcept {
    return color >> (8 * k) & 0xFFu;
}

inline uint32_t ColorLevel(uint32_t color) noexcept {
    return color >> 24;
}

// How one tool colours its particles; the same five fields open every spray style, so each
// stroke's snapshot carries the colouring that was current when it began.
struct COLORSETTING {
    uint32_t Color[2];    // 0 foreground, 1 background
    bool useFore;         // the single-colour rule in "Paint" uses the foreground
    int32_t Coloring;     // 0 single, 1 foreground to background, 2 stripes, 3 random mix
    int32_t CycleLength;  // stripe period in turns
};

}  // namespace app
