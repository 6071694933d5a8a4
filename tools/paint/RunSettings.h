#pragma once

#include <string>

namespace tools {

// Every value a filter run keeps, loaded in the order a run loads them at its start (options,
// spray styles, current tool, colour settings, world settings) from an INI file in the settings
// store's layout; an empty path loads every default.  Saving writes them in the same order, as a
// run's end does.
void LoadRunSettings(const std::string& path);
void SaveRunSettings(const std::string& path);

}  // namespace tools
