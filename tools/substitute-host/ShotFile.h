#pragma once

#include <windows.h>

#include <string>

#include "tools/common/RunDriver.h"

namespace tools {

// Writes `area` of a captured picture (in its own coordinates) as FOLDER\NAME.png.
void SaveShot(const RunDriver::SNAPSHOT& shot, const RECT& area, const std::string& folder, const char* name);
// Waits for a window that just appeared to draw itself, then writes it as it stands on the
// screen; says so on the error output when the window never appeared (null).
void ShootWindow(HWND window, const std::string& folder, const char* name);

}  // namespace tools
