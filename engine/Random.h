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

}  // namespace app
