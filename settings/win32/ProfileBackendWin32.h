#pragma once

#include <string>

#include "settings/SettingsBackend.h"

namespace app {

// Settings in an INI file through the Windows profile functions; the root section is "App".
// Every write goes to the file at once; one that fails raises code 1 with the file's path.
class ProfileBackendWin32 : public SettingsBackend {
  public:
    explicit ProfileBackendWin32(std::string path);

    void SelectSection(const char* name) override;
    int32_t ReadInt(const char* key, int32_t defaultValue) override;
    std::string ReadText(const char* key, const std::string& defaultValue) override;
    void WriteInt(const char* key, int32_t value) override;
    void WriteText(const char* key, const std::string& value) override;

  private:
    std::string path_;
    std::string section_;
};

}  // namespace app
