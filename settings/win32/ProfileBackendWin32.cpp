#include "settings/win32/ProfileBackendWin32.h"

#include <windows.h>

#include <vector>

#include "base/FileException.h"
#include "settings/IniFileBackend.h"

namespace app {

namespace {

constexpr const char* kRootSection = "App";
constexpr DWORD kTextStep = 1024;

}  // namespace

ProfileBackendWin32::ProfileBackendWin32(std::string path) : path_(std::move(path)), section_(kRootSection) {}

void ProfileBackendWin32::SelectSection(const char* name) {
    section_ = name ? name : kRootSection;
}

// GetPrivateProfileIntA would wrap a value beyond 32 bits; the text goes through the parser
// that the portable INI back end uses, so that both read the same file alike.
int32_t ProfileBackendWin32::ReadInt(const char* key, int32_t defaultValue) {
    const std::string text = ReadText(key, std::string());
    return text.empty() ? defaultValue : ParseProfileInt(text);
}

std::string ProfileBackendWin32::ReadText(const char* key, const std::string& defaultValue) {
    // The profile functions cut long texts to the buffer: the buffer doubles until the text fits,
    // so a long value costs a few reads, and one beyond the longest a store takes is not read on.
    std::vector<char> buffer(kTextStep);
    for (;;) {
        const DWORD length = GetPrivateProfileStringA(section_.c_str(), key, defaultValue.c_str(), buffer.data(),
                                                      static_cast<DWORD>(buffer.size()), path_.c_str());
        if (length < buffer.size() - 1)
            return std::string(buffer.data(), length);
        if (buffer.size() > kMostTextValueBytes + 1)
            return defaultValue;
        buffer.resize(buffer.size() * 2);
    }
}

void ProfileBackendWin32::WriteInt(const char* key, int32_t value) {
    WriteText(key, std::to_string(value));
}

void ProfileBackendWin32::WriteText(const char* key, const std::string& value) {
    if (!WritePrivateProfileStringA(section_.c_str(), key, value.c_str(), path_.c_str())) {
        throw FileException(ErrorSystem, static_cast<int32_t>(GetLastError()), path_);
    }
}

}  // namespace app
