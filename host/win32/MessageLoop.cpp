#include "host/win32/MessageLoop.h"

#include "host/win32/Application.h"
#include "host/win32/RunProbe.h"
#include "ui/win32/Panel.h"
#include "ui/win32/Window.h"

namespace app {

namespace {

bool RunIdleRoutine(Application& application) {
    try {
        return application.OnIdle();
    } catch (...) {
        // Like a failing message handler: reported, and the loop goes on (waiting, so that a
        // turn that keeps failing does not report without end).
        ReportWindowFailure(application.FrameWindow());
        return false;
    }
}

}  // namespace

int RunMessageLoop(Application& application, HACCEL accelerators, RunProbe* probe) {
    bool idleWork = true;
    MSG message = {};
    for (;;) {
        if (idleWork) {
            if (!PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
                idleWork = RunIdleRoutine(application);
                if (HWND frame = application.FrameWindow(); probe && frame)
                    probe->AfterIdle(frame, idleWork, application.TurnsRun());
                continue;
            }
            if (message.message == WM_QUIT)
                return static_cast<int>(message.wParam);
        } else {
            const BOOL got = GetMessageA(&message, nullptr, 0, 0);
            if (got == 0)
                return static_cast<int>(message.wParam);
            idleWork = true;
            if (got == -1)
                continue;
        }
        HWND frame = application.FrameWindow();
        // Alt shortcuts reach the frame even while a panel is the active window.
        if (message.message == WM_SYSKEYDOWN && frame && IsWindowEnabled(frame))
            SetActiveWindow(frame);
        if (frame && accelerators && TranslateAcceleratorA(frame, accelerators, &message))
            continue;
        // Tab, the arrow keys and Space work among a panel's buttons.
        if (message.message >= WM_KEYFIRST && message.message <= WM_KEYLAST) {
            Panel* panel = Panel::Holding(message.hwnd);
            if (panel && IsDialogMessageA(panel->Handle(), &message))
                continue;
        }
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

}  // namespace app
