#pragma once

#include <cstdarg>
#include <cstdint>
#include <string>

#include "base/Buffer.h"

namespace app {

// The program's text: characters in a shared copy-on-write buffer, always NUL-terminated.
// Builds texts from string-table entries and printf-style formats, and splits a string-table
// text at its first line break into status prompt and tooltip.
class String {
  public:
    String() = default;
    String(const char* text);  // NOLINT: texts convert freely
    String(const char* text, int32_t length);
    String(const std::string& text);  // NOLINT

    static String Load(int32_t id);
    static String Format(const char* format, ...) __attribute__((format(printf, 1, 2)));
    static String FormatV(const char* format, va_list args);

    const char* CStr() const noexcept;
    int32_t Length() const noexcept;
    bool IsEmpty() const noexcept { return Length() == 0; }
    std::string ToStdString() const { return std::string(CStr(), static_cast<size_t>(Length())); }

    String StatusText() const;
    String TipText() const;

    String& operator+=(const String& other);
    friend String operator+(String left, const String& right) { return left += right; }
    bool operator==(const String& other) const noexcept;
    bool operator!=(const String& other) const noexcept { return !(*this == other); }

  private:
    Buffer<char> chars_;  // length + 1 bytes when not empty
};

}  // namespace app
