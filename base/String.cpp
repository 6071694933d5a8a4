#include "base/String.h"

#include <cstdio>
#include <cstring>

#include "base/CheckedInt.h"
#include "base/StringTable.h"

namespace app {

String::String(const char* text) : String(text, text ? static_cast<int32_t>(std::strlen(text)) : 0) {}

String::String(const char* text, int32_t length) {
    if (length <= 0)
        return;
    chars_.Allocate(CheckedAdd(length, 1, ErrorNoMemory));
    char* data = chars_.Data();
    std::memcpy(data, text, static_cast<size_t>(length));
    data[length] = '\0';
}

String::String(const std::string& text) : String(text.data(), static_cast<int32_t>(text.size())) {}

String String::Load(int32_t id) {
    std::string text;
    LoadTableString(id, &text);
    return String(text);
}

String String::Format(const char* format, ...) {
    va_list args;
    va_start(args, format);
    String result = FormatV(format, args);
    va_end(args);
    return result;
}

String String::FormatV(const char* format, va_list args) {
    va_list measure;
    va_copy(measure, args);
    const int length = std::vsnprintf(nullptr, 0, format, measure);
    va_end(measure);
    String result;
    if (length <= 0)
        return result;
    result.chars_.Allocate(CheckedAdd(length, 1, ErrorNoMemory));
    std::vsnprintf(result.chars_.Data(), static_cast<size_t>(length) + 1, format, args);
    return result;
}

const char* String::CStr() const noexcept {
    return chars_.IsEmpty() ? "" : chars_.ConstData();
}

int32_t String::Length() const noexcept {
    return chars_.IsEmpty() ? 0 : chars_.Size() - 1;
}

String String::StatusText() const {
    const char* text = CStr();
    const char* lineBreak = std::strchr(text, '\n');
    return lineBreak ? String(text, static_cast<int32_t>(lineBreak - text)) : *this;
}

String String::TipText() const {
    const char* text = CStr();
    const char* lineBreak = std::strchr(text, '\n');
    if (!lineBreak)
        return *this;
    const char* tip = lineBreak + 1;
    const char* end = std::strchr(tip, '\n');
    return String(tip, static_cast<int32_t>(end ? end - tip : static_cast<ptrdiff_t>(std::strlen(tip))));
}

String& String::operator+=(const String& other) {
    const int32_t left = Length();
    const int32_t right = other.Length();
    if (right == 0)
        return *this;
    String joined;
    joined.chars_.Allocate(CheckedAdd(CheckedAdd(left, right, ErrorNoMemory), 1, ErrorNoMemory));
    char* data = joined.chars_.Data();
    std::memcpy(data, CStr(), static_cast<size_t>(left));
    std::memcpy(data + left, other.CStr(), static_cast<size_t>(right) + 1);
    *this = joined;
    return *this;
}

bool String::operator==(const String& other) const noexcept {
    return Length() == other.Length() && std::memcmp(CStr(), other.CStr(), static_cast<size_t>(Length())) == 0;
}

}  // namespace app
