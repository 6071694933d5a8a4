#pragma once

#include <string>

namespace app {

// Where settings, presets and the catalogue live, from the library's path and the host's path.
// Only the drive and directory of the host path count (everything up to its last separator).

// Everything up to the last separator, read character by character: the second byte of a
// double-byte character is never a separator, whatever its value.
std::string DirectoryOf(const std::string& path);
std::string DirectoryOf(const std::string& path, bool (*isLeadByte)(unsigned char));
std::string FileStemOf(const std::string& path);

// The INI file: named after the library, in the host path's directory when there is one.
std::string SettingsFilePath(const std::string& modulePath, const char* hostPath);
// The folder "preset" beside the library; the host path plays no part.
std::string PresetFolderPath(const std::string& modulePath);
std::string RegistryMarkerPath(const std::string& modulePath);
// Whether the first byte of the marker file selects the registry.
bool MarkerSelectsRegistry(const std::string& markerText);

}  // namespace app
