#pragma once

#include <cstdint>
#include <string>

namespace app {

// What a dialog's edit field holds, read strictly: the whole text (spaces around it aside) must
// be the number, so "abc", "12abc", "0x10", "inf" or a whole number beyond 32 bits is no value
// at all.  A field that holds none is refused by the dialog's check with the field's range.
class NumberText {
  public:
    // An optional sign and decimal digits, within 32 bits.
    static bool ReadWhole(const std::string& text, int32_t* value);
    // An optional sign, digits with an optional point, an optional exponent; finite.
    static bool ReadDecimal(const std::string& text, double* value);

    // What an exchange stores for a field that holds no number: below every range a check
    // accepts (and NaN for reals, which no range holds).
    static constexpr int32_t kNoWhole = INT32_MIN;
};

}  // namespace app
