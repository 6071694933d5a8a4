#pragma once

#include <windows.h>

#include <string>

#include "settings/SettingsBackend.h"

namespace app {

// Settings under HKEY_CURRENT_USER\<root>; a section is the subkey of that name, the root
// section the root key itself.  Loading opens keys for reading and never fails (a missing key
// or value gives the default); saving raises code 1 with the system error number.
class RegistryBackendWin32 : public SettingsBackend {
  public:
    RegistryBackendWin32(const char* rootPath, bool loading);
    ~RegistryBackendWin32() override;

    void SelectSection(const char* name) override;
    int32_t ReadInt(const char* key, int32_t defaultValue) override;
    std::string ReadText(const char* key, const std::string& defaultValue) override;
    void WriteInt(const char* key, int32_t value) override;
    void WriteText(const char* key, const std::string& value) override;

  private:
    HKEY CurrentKey() const { return sectionKey_ ? sectionKey_ : rootKey_; }
    void CloseSection();
    void Check(LONG result) const;

    HKEY rootKey_ = nullptr;
    HKEY sectionKey_ = nullptr;
    bool loading_;
    bool missingSection_ = false;
};

}  // namespace app
