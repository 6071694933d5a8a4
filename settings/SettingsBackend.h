#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace app {

// The longest text value a store reads; a longer one reads as its default.  No setting comes
// near it (the longest is a file path), reading a value of megabytes would hold the host, and
// the profile functions of some systems handle no value beyond 32 KB.
constexpr size_t kMostTextValueBytes = 16384;

// One place where settings are kept: the registry, a Windows INI file, or the portable INI
// file.  Values are integers or texts in named sections; the store builds every other form
// on top of these two.  Reads return the default when the value is absent.
class SettingsBackend {
  public:
    virtual ~SettingsBackend() = default;

    // nullptr selects the root section.
    virtual void SelectSection(const char* name) = 0;
    virtual int32_t ReadInt(const char* key, int32_t defaultValue) = 0;
    virtual std::string ReadText(const char* key, const std::string& defaultValue) = 0;
    virtual void WriteInt(const char* key, int32_t value) = 0;
    virtual void WriteText(const char* key, const std::string& value) = 0;
    // Finishes writing; raises a code-1 failure when the values could not be kept.
    virtual void Close() {}
};

// The back end a filter run uses: chosen by the registry marker beside the library, placed by
// the library path and the host path.
std::unique_ptr<SettingsBackend> OpenDefaultSettingsBackend(const char* rootPath, bool loading);

}  // namespace app
