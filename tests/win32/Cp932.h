#pragma once

#include <windows.h>

#include <string>

namespace test {

// The bytes that the ANSI functions give for a UTF-8 text under the Japanese code page.
inline std::string Cp932(const std::string& utf8) {
    const int wide = MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, nullptr, 0);
    std::wstring text(static_cast<size_t>(wide), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, &text[0], wide);
    const int narrow = WideCharToMultiByte(932, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string result(static_cast<size_t>(narrow), '\0');
    WideCharToMultiByte(932, 0, text.c_str(), -1, &result[0], narrow, nullptr, nullptr);
    result.resize(result.size() - 1);
    return result;
}

}  // namespace test
