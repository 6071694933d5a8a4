#pragma once

#include <cstdint>

namespace app {

// The program's one random generator: a 32-bit linear congruential sequence.  It starts when the
// library is loaded and is never reseeded, so later filter runs in the same host process go on
// with the sequence where the previous one stopped.
constexpr int32_t kRandomMax = 32767;

// Next value, 0 ... 32767.
int32_t Random() noexcept;

// Next value as a fraction 0 ... 1, both ends included.
inline double RandomUnit() noexcept {
    return Random() / static_cast<double>(kRandomMax);
}

// The generator's state, for tests and tools that must replay a sequence.
uint32_t RandomState() noexcept;
void RestoreRandomState(uint32_t state) noexcept;

// The state `draws` values further on, as if that many had been drawn: the sequence is an affine
// map applied again and again, and its powers compose by squaring.
uint32_t RandomStateAfter(uint32_t state, uint64_t draws) noexcept;

// A part of the sequence that one part of a turn draws from, starting at a given state: parts
// that run side by side each draw exactly the values the one sequence would give them.
struct RANDOMSTREAM {
    uint32_t state;

    int32_t Next() noexcept {
        state = state * 22695477u + 1u;
        return static_cast<int32_t>((state >> 16) & 0x7FFFu);
    }
    double Unit() noexcept { return Next() / static_cast<double>(kRandomMax); }
};

}  // namespace app
