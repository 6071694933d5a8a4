#include "ui/win32/Panel.h"

#include <algorithm>
#include <string>

#include "settings/Registry.h"
#include "ui/WindowGeometry.h"
#include "ui/win32/AppMessages.h"
#include "ui/win32/Modal.h"

namespace app {

class PanelMember {
  public:
    std::string key;
    int32_t index = 0;
    Rect32 window = {0, 0, 0, 0};
    bool shown = true;
    bool placedBesideFrame = false;  // no place was stored: put beside the frame
};

namespace {

Panel*& Slot(int32_t index) {
    static Panel* panels[Panel::kCount] = {};
    return panels[index];
}

void AskFrameForCommandStates() {
    if (HWND frame = Modal::FrameWindow())
        PostMessageA(frame, WM_UPDATECOMMANDS, 0, 0);
}

// The work area of the monitor the window is on.
Rect32 WorkAreaOf(HWND window) {
    MONITORINFO info = {};
    info.cbSize = sizeof info;
    if (!GetMonitorInfoA(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &info))
        return {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    return {info.rcWork.left, info.rcWork.top, info.rcWork.right, info.rcWork.bottom};
}

// The part of the screen a window may stand on: all monitors together.
Rect32 Desktop() {
    const int32_t left = GetSystemMetrics(SM_XVIRTUALSCREEN);
    const int32_t top = GetSystemMetrics(SM_YVIRTUALSCREEN);
    return {left, top, left + GetSystemMetrics(SM_CXVIRTUALSCREEN), top + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

}  // namespace

Panel::Panel(int32_t templateId, const char* settingsKey, int32_t index)
    : Dialog(templateId), m_(std::make_unique<PanelMember>()) {
    m_->key = settingsKey;
    m_->index = index;
    Slot(index) = this;
}

Panel::~Panel() {
    if (Slot(m_->index) == this)
        Slot(m_->index) = nullptr;
}

Panel* Panel::At(int32_t index) noexcept {
    return index >= 0 && index < kCount ? Slot(index) : nullptr;
}

Panel* Panel::Holding(HWND window) noexcept {
    for (int32_t index = 0; index < kCount; ++index) {
        Panel* panel = Slot(index);
        if (panel && panel->Handle() && (window == panel->Handle() || IsChild(panel->Handle(), window)))
            return panel;
    }
    return nullptr;
}

void Panel::ExchangeSettings(Registry& store) {
    store.SelectSection(m_->key.c_str());
    store.ExchangeRect("Window", m_->window, {0, 0, 0, 0});
    store.ExchangeBool("Show", m_->shown, true);
}

void Panel::CreatePanel(HWND frame) {
    CreateModeless(frame);
    const Rect32& stored = m_->window;
    RECT size = {};
    if (!GetWindowRect(Handle(), &size))
        return;
    const int32_t width = size.right - size.left, height = size.bottom - size.top;
    Point32 place;
    if (stored.right != stored.left) {
        place = WindowGeometry::KeepOnScreen({stored.left, stored.top}, width, height, Desktop());
    } else {
        place = FirstPlace(frame, width, height);
        m_->placedBesideFrame = true;
    }
    SetWindowPos(Handle(), nullptr, place.x, place.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (m_->shown)
        ShowWindow(Handle(), SW_SHOWNOACTIVATE);
}

// Beside the frame, below the panels before this one that went there too, so that none covers
// the frame's toolbar and view or another panel.
Point32 Panel::FirstPlace(HWND frame, int32_t width, int32_t height) const {
    RECT frameRect = {};
    GetWindowRect(frame, &frameRect);
    int32_t top = frameRect.top;
    for (int32_t index = 0; index < m_->index; ++index) {
        const Panel* before = Slot(index);
        RECT rect = {};
        if (before && before->m_->placedBesideFrame && GetWindowRect(before->Handle(), &rect))
            top = std::max(top, static_cast<int32_t>(rect.bottom));
    }
    return WindowGeometry::BesideFrame({frameRect.left, frameRect.top, frameRect.right, frameRect.bottom},
                                       WorkAreaOf(frame), width, height, top);
}

bool Panel::IsShown() const noexcept {
    return m_->shown;
}

void Panel::Toggle() {
    if (Handle())
        ShowWindow(Handle(), m_->shown ? SW_HIDE : SW_SHOWNOACTIVATE);
}

void Panel::OnRunEnd() {}

void Panel::OnCloseBox() {
    ShowWindow(Handle(), SW_HIDE);
    if (HWND frame = Modal::FrameWindow())
        SendMessageA(frame, WM_UPDATECOMMANDS, 0, 0);
}

LRESULT Panel::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CLOSE:
            OnCloseBox();
            return TRUE;
        case WM_SHOWWINDOW:
            if (lParam == 0)  // a show or hide call, not the frame being minimised or restored
                m_->shown = wParam != 0;
            return FALSE;
        default:
            return Dialog::WindowProc(message, wParam, lParam);
    }
}

void Panel::OnDestroy() {
    RECT rect = {};
    if (GetWindowRect(Handle(), &rect))
        m_->window = {rect.left, rect.top, rect.right, rect.bottom};
    Dialog::OnDestroy();
    AskFrameForCommandStates();
}

void Panel::OnOK() {}

}  // namespace app
