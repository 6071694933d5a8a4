#include "ui/win32/Panel.h"

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
    if (stored.right != stored.left && GetWindowRect(Handle(), &size)) {
        const Point32 place = WindowGeometry::KeepOnScreen({stored.left, stored.top}, size.right - size.left,
                                                           size.bottom - size.top, Desktop());
        SetWindowPos(Handle(), nullptr, place.x, place.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (m_->shown)
        ShowWindow(Handle(), SW_SHOWNOACTIVATE);
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
