#pragma once

#include <windows.h>

namespace app {

// One filter run, inside the host's FilterProc call; returns the quit code.
int RunFilter(HWND hostWindow);

}  // namespace app
