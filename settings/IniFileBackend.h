#pragma once

#include <memory>
#include <string>

#include "settings/SettingsBackend.h"

namespace app {

class IniFileBackendMember;

// A key-value INI file of the same sections and keys as the Windows profile functions would
// write ("[Section]", "Key=Value", names compared without regard to case, the root section
// "App").  The whole file is read when the store opens; changes are written when it closes,
// through a temporary file that replaces the old one, so a failed save leaves the file intact.
class IniFileBackend : public SettingsBackend {
  public:
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

// How the profile functions read an integer: optional sign and digits, anything else is 0.
int32_t ParseProfileInt(const std::string& text);

}  // namespace app
