#pragma once

#include <windows.h>

namespace app {

// The library's own module: every resource lookup, GetModuleFileNameA and window creation use
// it.  DllMain stores it; in a program it is the program's module.
extern HINSTANCE ModuleInstance;

}  // namespace app
