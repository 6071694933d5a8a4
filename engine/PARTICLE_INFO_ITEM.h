#pragma once

#include <cstddef>
#include <cstdint>

namespace app {

// The physics-and-colour part of an engine-form spray style, as the snapshot table compares it:
// whole bytes, little-endian.  The gaps between fields are named so that every byte belongs to a
// field and stays zero.
struct PARTICLE_INFO_KEY {
    uint32_t Color[2];
    uint8_t useFore;
    uint8_t gap9[3];
    int32_t Coloring;
    int32_t CycleLength;
    uint8_t gap20[4];
    double Repulsion;
    double RepulsionArea;
    double Gravity;
    double gravityArea;
    double Brake;
    double Viscosity;
    double ViscosityArea;
    double LimitedSpeed;
    double SpinAngle;
    double SpinAngleWiggle;
    double SplitAngle1;
    double SplitAngle2;
    double SplitAngleWiggle;
    double SplitRate;
    int32_t Life;
    int32_t SpinStep;
    int32_t SplitMode;
    int32_t SplitStep1;
    int32_t SplitStep2;
    int32_t SplitLag;
    uint8_t UseLimitedSpeed;
    uint8_t UseSpin;
    uint8_t UseSplit;
    uint8_t gap163[5];
};

constexpr int32_t kKeyBytes = 168;
constexpr int32_t kKeyBits = kKeyBytes * 8;

static_assert(sizeof(PARTICLE_INFO_KEY) == kKeyBytes, "snapshot key must be 168 bytes");
static_assert(offsetof(PARTICLE_INFO_KEY, Coloring) == 12 && offsetof(PARTICLE_INFO_KEY, Repulsion) == 24 &&
                  offsetof(PARTICLE_INFO_KEY, SplitRate) == 128 && offsetof(PARTICLE_INFO_KEY, Life) == 136 &&
                  offsetof(PARTICLE_INFO_KEY, SplitLag) == 156 && offsetof(PARTICLE_INFO_KEY, UseSplit) == 162,
              "snapshot key layout");

// One shared style snapshot: its key, its holders and its place in the bitwise trie.
struct PARTICLE_INFO_ITEM {
    PARTICLE_INFO_KEY key;
    int32_t references;  // on the free list: the next free item, -1 ending the list
    int32_t bit;         // first key bit at which the item differs from its parent; -1 for the root
    int32_t sibling;
    int32_t child;
};

}  // namespace app
