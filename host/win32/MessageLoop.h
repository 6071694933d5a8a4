#pragma once

#include <windows.h>

namespace app {

class Application;
class RunProbe;

// The filter run's message loop: polls while idle work is wanted and runs the idle routine
// whenever no message waits, blocks in the system's wait while the view is stopped, and
// translates every message against the frame's accelerators.  Returns the WM_QUIT code.
int RunMessageLoop(Application& application, HACCEL accelerators, RunProbe* probe);

}  // namespace app
