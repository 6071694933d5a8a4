#include "settings/SettingsPaths.h"

#include "base/FileNames.h"
#include "base/System.h"

namespace app {

std::string DirectoryOf(const std::string& path) {
    return DirectoryOf(path, IsFileNameLeadByte);
}

std::string DirectoryOf(const std::string& path, bool (*isLeadByte)(unsigned char)) {
    return path.substr(0, FileNameStart(path, isLeadByte));
}

std::string FileStemOf(const std::string& path) {
    const std::string name = path.substr(DirectoryOf(path).size());
    const size_t dot = name.find_last_of('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

std::string SettingsFilePath(const std::string& modulePath, const char* hostPath) {
    const bool hasHostPath = hostPath && hostPath[0] != '\0';
    const std::string folder = hasHostPath ? DirectoryOf(hostPath) : DirectoryOf(modulePath);
    return folder + FileStemOf(modulePath) + ".ini";
}

std::string PresetFolderPath(const std::string& modulePath) {
    return DirectoryOf(modulePath) + "preset" + kPathSeparator;
}

std::string RegistryMarkerPath(const std::string& modulePath) {
    return PresetFolderPath(modulePath) + "useregistry";
}

bool MarkerSelectsRegistry(const std::string& markerText) {
    return !markerText.empty() && (markerText[0] == 'y' || markerText[0] == 'Y');
}

}  // namespace app
