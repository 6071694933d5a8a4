#include "engine/Random.h"

namespace app {

namespace {

constexpr uint32_t Advance(uint32_t state) {
    return state * 22695477u + 1u;
}

// State 1 at load with one value drawn and discarded; constant so that no static constructor
// of another file can draw before it is set.
uint32_t g_state = Advance(1u);

}  // namespace

int32_t Random() noexcept {
    g_state = Advance(g_state);
    return static_cast<int32_t>((g_state >> 16) & 0x7FFFu);
}

uint32_t RandomState() noexcept {
    return g_state;
}

void RestoreRandomState(uint32_t state) noexcept {
    g_state = state;
}

uint32_t RandomStateAfter(uint32_t state, uint64_t draws) noexcept {
    // x -> multiplier * x + increment, raised to the power `draws` bit by bit.
    uint32_t multiplier = 22695477u, increment = 1u;
    uint32_t totalMultiplier = 1u, totalIncrement = 0u;
    for (; draws != 0; draws >>= 1) {
        if (draws & 1u) {
            totalMultiplier *= multiplier;
            totalIncrement = totalIncrement * multiplier + increment;
        }
        increment = increment * (multiplier + 1u);
        multiplier *= multiplier;
    }
    return totalMultiplier * state + totalIncrement;
}

}  // namespace app
