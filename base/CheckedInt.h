#pragma once

#include <cstdint>

#include "base/Exception.h"

namespace app {

// Size arithmetic in signed 32 bits that raises `code` instead of wrapping, so nothing is ever
// allocated with a wrapped size.
inline int32_t CheckedAdd(int32_t a, int32_t b, int32_t code) {
    int32_t result;
    if (__builtin_add_overflow(a, b, &result))
        throw Exception(code);
    return result;
}

inline int32_t CheckedSubtract(int32_t a, int32_t b, int32_t code) {
    int32_t result;
    if (__builtin_sub_overflow(a, b, &result))
        throw Exception(code);
    return result;
}

inline int32_t CheckedMultiply(int32_t a, int32_t b, int32_t code) {
    int32_t result;
    if (__builtin_mul_overflow(a, b, &result))
        throw Exception(code);
    return result;
}

}  // namespace app
