#include "ui/win32/OwnerDrawnControl.h"

#include <windowsx.h>

#include "ui/win32/AppMessages.h"

namespace app {

class OwnerDrawnControlMember {
  public:
    bool dragging = false;
};

OwnerDrawnControl::OwnerDrawnControl() : m_(std::make_unique<OwnerDrawnControlMember>()) {}

OwnerDrawnControl::~OwnerDrawnControl() = default;

LRESULT OwnerDrawnControl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_DRAWCONTROL:
            Draw(*reinterpret_cast<const DRAWITEMSTRUCT*>(wParam));
            return TRUE;
        case WM_GETDLGCODE:
            return 0;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            if (OnPress(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam))) {
                m_->dragging = true;
                SetCapture(Handle());
            }
            return 0;
        case WM_MOUSEMOVE:
            if (m_->dragging)
                OnDrag(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
            return 0;
        case WM_LBUTTONUP:
            if (m_->dragging)
                EndDrag(true);
            return 0;
        case WM_CAPTURECHANGED:
            // Lost to another window (a message box, a task switch): the value stands as shown.
            if (m_->dragging && reinterpret_cast<HWND>(lParam) != Handle())
                EndDrag(false);
            return 0;
        default:
            return Window::WindowProc(message, wParam, lParam);
    }
}

bool OwnerDrawnControl::OnPress(int /*x*/, int /*y*/) {
    return false;
}

void OwnerDrawnControl::OnDrag(int /*x*/, int /*y*/) {}

void OwnerDrawnControl::EndDrag(bool release) {
    m_->dragging = false;
    if (release && GetCapture() == Handle())
        ReleaseCapture();  // sends WM_CAPTURECHANGED, which finds the drag over
    NotifyValueSet();
}

void OwnerDrawnControl::NotifyValueSet(LPARAM data) {
    const int id = GetDlgCtrlID(Handle());
    PostMessageA(GetParent(Handle()), WM_CONTROLNOTIFY, MAKEWPARAM(id, kValueSet), data);
}

LRESULT OwnerDrawnControl::SendNotify(int code, LPARAM data) {
    const int id = GetDlgCtrlID(Handle());
    return SendMessageA(GetParent(Handle()), WM_CONTROLNOTIFY, MAKEWPARAM(id, code), data);
}

void OwnerDrawnControl::Invalidate() {
    InvalidateRect(Handle(), nullptr, TRUE);
}

bool OwnerDrawnControl::IsEnabled() const {
    return IsWindowEnabled(Handle()) != FALSE;
}

}  // namespace app
