#include "host/win32/RunFilter.h"

#include <commctrl.h>

#include <exception>
#include <memory>

#include "base/Failure.h"
#include "base/win32/ModuleInstance.h"
#include "host/win32/Application.h"
#include "host/win32/MessageLoop.h"
#include "host/win32/RunProbe.h"
#include "resources/ResourceIds.h"
#include "ui/win32/Window.h"

namespace app {

namespace {

// A frame destroyed during a failed start has posted its quit message; left in the queue it
// would end the message box below at once, and then the host's own loop.
void DiscardQuitMessage() {
    MSG message;
    PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
}

int RunApplication(HWND hostWindow) {
    auto application = std::make_unique<Application>();
    try {
        application->Start(hostWindow);
    } catch (...) {
        const std::exception_ptr failure = std::current_exception();
        application->DestroyFrameWindow();
        DiscardQuitMessage();
        ReportFailure(failure, nullptr);
        return 0;  // the host image stays as it was
    }
    HACCEL accelerators = LoadAcceleratorsA(ModuleInstance, MAKEINTRESOURCEA(IDR_MAIN));
    const std::unique_ptr<RunProbe> autoClose = CreateAutoCloseProbe();
    RunProbe* probe = InstalledRunProbe() ? InstalledRunProbe() : autoClose.get();
    const int code = RunMessageLoop(*application, accelerators, probe);
    application->DestroyFrameWindow();
    try {
        application->End();
    } catch (...) {
        ReportFailure(nullptr);  // the host has the picture already; the run still ends
    }
    return code;
}

}  // namespace

int RunFilter(HWND hostWindow) {
    InitCommonControls();
    int code = 0;
    try {
        code = RunApplication(hostWindow);
    } catch (...) {
        ReportFailure(nullptr);
    }
    // The host may unload the library after the call; no class may stay behind.
    Window::UnregisterAppWindowClass();
    return code;
}

}  // namespace app
