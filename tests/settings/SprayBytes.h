#pragma once

#include <cstdint>
#include <cstring>
#include <string>

#include "engine/SPRAYSTYLE.h"

// Byte builders for .spr files written by hand in tests.
namespace spraybytes {

inline std::string Int32(int32_t value) {
    const auto bits = static_cast<uint32_t>(value);
    std::string bytes;
    for (int i = 0; i < 4; ++i)
        bytes.push_back(static_cast<char>((bits >> (8 * i)) & 0xFF));
    return bytes;
}

inline std::string Real(double value) {
    uint64_t bits;
    std::memcpy(&bits, &value, 8);
    std::string bytes;
    for (int i = 0; i < 8; ++i)
        bytes.push_back(static_cast<char>((bits >> (8 * i)) & 0xFF));
    return bytes;
}

inline std::string Header(int32_t count, int32_t version = 2) {
    return "DFLC" + Int32(version) + Int32(count);
}

inline std::string IntField(int32_t tag, int32_t value) {
    return Int32(tag) + Int32(4) + Int32(value);
}

inline std::string RealField(int32_t tag, double value) {
    return Int32(tag) + Int32(8) + Real(value);
}

inline std::string NameField(const std::string& name) {
    return Int32(1) + Int32(static_cast<int32_t>(name.size()) + 1) + name + std::string(1, '\0');
}

inline std::string End() {
    return Int32(0);
}

// Bit patterns, so that reals compare bit for bit (and -0.0 differs from 0.0).
inline uint64_t Bits(double value) {
    uint64_t bits;
    std::memcpy(&bits, &value, 8);
    return bits;
}

// Every field that a preset stores, compared one by one so that a failure names the field.
// clang-format off
#define SPRAY_STORED_REALS(X) \
    X(Repulsion) X(RepulsionArea) X(Gravity) X(gravityArea) X(Brake) X(Viscosity) X(ViscosityArea) \
    X(LimitedSpeed) X(Velocity.x) X(Velocity.y) X(VelocityWiggle) X(VelocityWidth) X(VelocityRotationSpeed) \
    X(Throwing) X(SpinAngle) X(SpinAngleWiggle) X(SplitAngle1) X(SplitAngle2) X(SplitAngleWiggle) X(SplitRate)
#define SPRAY_STORED_OTHERS(X) \
    X(Life) X(UseLimitedSpeed) X(VelocityMode) X(Count) X(Size) X(UseSpin) X(SpinStep) X(UseSplit) \
    X(SplitMode) X(SplitStep1) X(SplitStep2) X(SplitLag) X(SplitGenerations)
// clang-format on

}  // namespace spraybytes
