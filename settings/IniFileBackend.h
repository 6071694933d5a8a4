#pragma once

#include <memory>
#include <string>

#include "settings/SettingsBackend.h"

namespace app {

class IniFileBackendMember;

// A key-value INI file of the same sections and keys as the Windows profile functions would
// write ("[Section]", "Key=Value", names compared without regard to case, the root section
// "App"), read as they read it: spaces around names and values and one pair of quotes around a
// value do not count, and only the first section of a name and the first line of a key are
// read.  The whole file is read when the store opens; changes are written when it closes,
// through a temporary file that replaces the old one, so a failed save leaves the file intact
// and keeps every section and key that other programs stored there.
class IniFileBackend : public SettingsBackend {
  public:
    // A settings file holds some kilobytes; one beyond this is refused rather than read.
    static constexpr int64_t kMostBytes = int64_t{64} << 20;

    // Reads the file.  A missing one holds no values; one that is there but cannot be read
    // raises code 1 with its path, one beyond kMostBytes code 14.
    explicit IniFileBackend(const std::string& path);
    ~IniFileBackend() override;

    void SelectSection(const char* name) override;
    int32_t ReadInt(const char* key, int32_t defaultValue) override;
    std::string ReadText(const char* key, const std::string& defaultValue) override;
    void WriteInt(const char* key, int32_t value) override;
    void WriteText(const char* key, const std::string& value) override;
    void Close() override;

  private:
    std::unique_ptr<IniFileBackendMember> m_;
};

// How an INI file's integer reads, in both INI back ends: spaces, an optional sign, digits in
// the notation of the profile functions (decimal, or hexadecimal, octal or binary after "0x",
// "0o" or "0b"), up to the first character that is not one; no digit reads as 0.  A value
// beyond 32 bits reads as the nearest 32-bit value, where the profile functions would wrap.
int32_t ParseProfileInt(const std::string& text);

}  // namespace app
