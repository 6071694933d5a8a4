#pragma once

#include <windows.h>

namespace app {

// GetProcAddress hands back a generic FARPROC; going through void* tells the compiler the
// signature change is deliberate.
template <typename Function>
Function LibraryExport(HMODULE library, const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

}  // namespace app
