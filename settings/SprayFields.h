#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "base/Geometry.h"
#include "engine/SPRAYSTYLE.h"

namespace app {

// Every stored field of a spray style, in the one order in which the settings store and the
// ".spr" file both keep them: its value name in the store (a pair is stored as the name with "X"
// and with "Y" appended), its tag in a ".spr" record, and the member it holds, which is one of a
// real, an integer, a flag or a pair.
struct SPRAYFIELD {
    const char* name;
    int32_t tag;
    double SPRAYSTYLE::*real;
    int32_t SPRAYSTYLE::*integer;
    bool SPRAYSTYLE::*flag;
    Vector2 SPRAYSTYLE::*pair;
};

constexpr size_t kSprayFieldCount = 32;
extern const SPRAYFIELD kSprayFields[kSprayFieldCount];

// The field whose value name is `name`, or nullptr.  A pair answers to its two value names; then
// `component` is set to the component named (&Vector2::x or &Vector2::y).
const SPRAYFIELD* FindSprayField(const std::string& name, double Vector2::** component = nullptr);

// Whether two styles agree in every stored field, bit for bit (the colour block is not one).
bool SameSprayFields(const SPRAYSTYLE& a, const SPRAYSTYLE& b);

}  // namespace app
