#pragma once

#include <windows.h>

#include <cstdint>

namespace app {

// A scope around a modal dialog or message box.  While the outermost scope is open, the frame
// window and every top-level window it owns (the panels) are disabled, so nothing but the
// modal window takes input; nested scopes change nothing.  When the outermost scope closes the
// windows are enabled again, and the window that was active before gets the activation back
// (a modal window whose owner is disabled when it closes would hand it to another program).
class Modal {
  public:
    Modal() noexcept;
    ~Modal();
    Modal(const Modal&) = delete;
    Modal& operator=(const Modal&) = delete;

    // The frame whose windows are locked; null locks nothing (before the frame exists).
    static void SetFrameWindow(HWND frame) noexcept;
    static HWND FrameWindow() noexcept;
    static int32_t Depth() noexcept;
};

}  // namespace app
