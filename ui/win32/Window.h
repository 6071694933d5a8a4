#pragma once

#include <windows.h>

#include <memory>

#include "base/Geometry.h"

namespace app {

class WindowMember;

// An object bound to a platform window.  Binding puts the object into the window's user data
// and installs a common procedure that calls the object's WindowProc; any exception a handler
// raises is reported there and never reaches the platform.  The object exists before its
// window and may outlive it; destroying the object destroys a window that still exists.
class Window {
  public:
    Window();
    virtual ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    // WM_DESTROY -> OnDestroy, WM_COMMAND -> OnCommand, the rest to the previous procedure.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual void Destroy();
    // Detaches: the window lives on (until its destruction ends) without the object.
    virtual void OnDestroy();
    virtual void OnCommand(int id, int code, HWND control);

    HWND Handle() const noexcept;
    // Binds to an existing window and subclasses it; a control of a dialog by its id.
    void Attach(HWND window);
    void AttachItem(HWND dialog, int id);
    void Detach() noexcept;
    // The object bound to a window, or null.
    static Window* FromHandle(HWND window) noexcept;

    // Creates a window and binds it.  Fields of `rect` may be CW_USEDEFAULT; `menuOrId` is the
    // control id for child windows.  Raises error 5 when the window cannot be created.
    void Create(DWORD exStyle,
                const char* className,
                const char* title,
                DWORD style,
                const Rect32& rect,
                HWND parent,
                HMENU menuOrId);

    // The class of the program's own windows (frame, view), registered on first use.
    static const char* AppWindowClass();
    // Unregisters it when the library is about to be unloaded; the next use registers again.
    static void UnregisterAppWindowClass() noexcept;

  protected:
    LRESULT CallPrevious(UINT message, WPARAM wParam, LPARAM lParam);
    // Binds without subclassing: dialogs get their messages through their dialog procedure.
    void Bind(HWND window, bool subclass);

  private:
    static LRESULT CALLBACK CommonProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    std::unique_ptr<WindowMember> m_;
};

// Reports the exception being handled from a window or dialog procedure, with the windows
// locked as for any message box.  Call only inside a catch block.
void ReportWindowFailure(HWND window) noexcept;

}  // namespace app
