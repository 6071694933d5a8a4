#include <windows.h>

#include "base/win32/ModuleInstance.h"
#include "host/FilterTitle.h"
#include "host/HostImage.h"
#include "host/win32/FailureBoxWin32.h"
#include "host/win32/RunFilter.h"

// The host recognises a filter library by this text in its image; nothing reads it.
extern "C" __attribute__((used)) const char DriftlacePluginMarker[] = "Driftlace ,Pixia PlugIn Filter";

extern "C" {

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID /*reserved*/) {
    app::ModuleInstance = instance;
    if (reason == DLL_PROCESS_ATTACH)
        app::InstallFailureBox();
    return TRUE;
}

// The host offers a buffer large enough for the title; no length is passed.
__declspec(dllexport) int32_t FilterGetTitle(int32_t /*unused*/, char* title, int32_t* first, int32_t* second) {
    return app::RunFilterGetTitle(title, first, second);
}

__declspec(dllexport) int32_t FilterProc(HWND hostWindow,
                                         const HostImageInfo* info,
                                         const HostRowAccess* write,
                                         const HostRowAccess* read,
                                         const char* path) {
    return app::RunFilterProc(hostWindow, info, write, read, path,
                              [](void* window) { return app::RunFilter(static_cast<HWND>(window)); });
}

}  // extern "C"
