#include "base/System.h"
#include "host/HostImage.h"
#include "settings/IniFileBackend.h"
#include "settings/SettingsPaths.h"
#include "settings/win32/RegistryBackendWin32.h"

namespace app {

namespace {

// The registry is used only when preset\useregistry beside the library begins with "y".
bool RegistryMarkerSet() {
    int32_t error = 0;
    const FileHandle marker = OpenFileForReading(RegistryMarkerPath(ModuleFilePath()), &error);
    if (marker == kNoFile)
        return false;
    char first = 0;
    const int32_t got = ReadFileBytes(marker, &first, 1, &error);
    CloseFile(marker, &error);
    return got == 1 && MarkerSelectsRegistry(std::string(1, first));
}

}  // namespace

// The INI file is kept by the portable back end, which reads it as the profile functions do but
// saves it as a whole new file that takes the old one's place once it is on the disk: the
// profile functions write in place, so a full disk would cut the file in the middle of a line.
std::unique_ptr<SettingsBackend> OpenDefaultSettingsBackend(const char* rootPath, bool loading) {
    if (RegistryMarkerSet())
        return std::make_unique<RegistryBackendWin32>(rootPath, loading);
    return std::make_unique<IniFileBackend>(SettingsFilePath(ModuleFilePath(), GetHostPath()));
}

}  // namespace app
