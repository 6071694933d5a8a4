#include "settings/win32/RegistryBackendWin32.h"

#include <vector>

#include "base/Exception.h"

namespace app {

namespace {

REGSAM AccessFor(bool loading) {
    return loading ? KEY_READ : KEY_WRITE;
}

}  // namespace

RegistryBackendWin32::RegistryBackendWin32(const char* rootPath, bool loading) : loading_(loading) {
    const LONG result = RegCreateKeyExA(HKEY_CURRENT_USER, rootPath, 0, nullptr, REG_OPTION_NON_VOLATILE,
                                        AccessFor(loading), nullptr, &rootKey_, nullptr);
    if (result != ERROR_SUCCESS) {
        rootKey_ = nullptr;
        Check(result);
    }
}

RegistryBackendWin32::~RegistryBackendWin32() {
    CloseSection();
    if (rootKey_)
        RegCloseKey(rootKey_);
}

void RegistryBackendWin32::Check(LONG result) const {
    if (result != ERROR_SUCCESS && !loading_)
        throw Exception(ErrorSystem, static_cast<int32_t>(result));
}

void RegistryBackendWin32::CloseSection() {
    if (sectionKey_)
        RegCloseKey(sectionKey_);
    sectionKey_ = nullptr;
}

void RegistryBackendWin32::SelectSection(const char* name) {
    CloseSection();
    missingSection_ = false;
    if (!name || !rootKey_)
        return;
    HKEY key = nullptr;
    const LONG result = RegCreateKeyExA(rootKey_, name, 0, nullptr, REG_OPTION_NON_VOLATILE, AccessFor(loading_),
                                        nullptr, &key, nullptr);
    Check(result);
    // A section that cannot be opened while loading reads as missing: every value its default.
    sectionKey_ = result == ERROR_SUCCESS ? key : nullptr;
    missingSection_ = result != ERROR_SUCCESS;
}

int32_t RegistryBackendWin32::ReadInt(const char* key, int32_t defaultValue) {
    if (!rootKey_ || missingSection_)
        return defaultValue;
    DWORD value = 0;
    DWORD size = sizeof value;
    if (RegQueryValueExA(CurrentKey(), key, nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size) !=
        ERROR_SUCCESS) {
        return defaultValue;
    }
    return static_cast<int32_t>(value);
}

std::string RegistryBackendWin32::ReadText(const char* key, const std::string& defaultValue) {
    if (!rootKey_ || missingSection_)
        return defaultValue;
    DWORD size = 0;
    if (RegQueryValueExA(CurrentKey(), key, nullptr, nullptr, nullptr, &size) != ERROR_SUCCESS ||
        size > kMostTextValueBytes + 1)
        return defaultValue;
    std::vector<char> text(size + 1, '\0');
    if (RegQueryValueExA(CurrentKey(), key, nullptr, nullptr, reinterpret_cast<BYTE*>(text.data()), &size) !=
        ERROR_SUCCESS) {
        return defaultValue;
    }
    return std::string(text.data());
}

void RegistryBackendWin32::WriteInt(const char* key, int32_t value) {
    const DWORD word = static_cast<DWORD>(value);
    Check(RegSetValueExA(CurrentKey(), key, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&word), sizeof word));
}

void RegistryBackendWin32::WriteText(const char* key, const std::string& value) {
    Check(RegSetValueExA(CurrentKey(), key, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                         static_cast<DWORD>(value.size() + 1)));
}

}  // namespace app
