#include "base/System.h"
#include "host/HostImage.h"
#include "settings/IniFileBackend.h"
#include "settings/SettingsBackend.h"
#include "settings/SettingsPaths.h"

namespace app {

// Without a registry the native build always keeps an INI file, in the same place as the
// plug-in's.
std::unique_ptr<SettingsBackend> OpenDefaultSettingsBackend(const char* /*rootPath*/, bool /*loading*/) {
    return std::make_unique<IniFileBackend>(SettingsFilePath(ModuleFilePath(), GetHostPath()));
}

}  // namespace app
