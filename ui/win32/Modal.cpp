#include "ui/win32/Modal.h"

#include "ui/ModalNesting.h"

namespace app {

namespace {

HWND& Frame() {
    static HWND frame = nullptr;
    return frame;
}

HWND& ActiveBefore() {
    static HWND active = nullptr;
    return active;
}

struct OwnedWindows {
    HWND owner;
    BOOL enable;
};

BOOL CALLBACK EnableOwned(HWND window, LPARAM data) {
    const auto* owned = reinterpret_cast<const OwnedWindows*>(data);
    if (GetWindow(window, GW_OWNER) == owned->owner)
        EnableWindow(window, owned->enable);
    return TRUE;
}

void EnableFrameWindows(BOOL enable) {
    HWND frame = Frame();
    if (!frame || !IsWindow(frame))
        return;
    OwnedWindows owned = {frame, enable};
    EnumThreadWindows(GetWindowThreadProcessId(frame, nullptr), EnableOwned, reinterpret_cast<LPARAM>(&owned));
    EnableWindow(frame, enable);
}

}  // namespace

Modal::Modal() noexcept {
    if (!ModalNesting::Enter())
        return;
    ActiveBefore() = GetActiveWindow();
    EnableFrameWindows(FALSE);
}

Modal::~Modal() {
    if (!ModalNesting::Leave())
        return;
    EnableFrameWindows(TRUE);
    HWND active = ActiveBefore();
    ActiveBefore() = nullptr;
    if (active && IsWindow(active) && IsWindowVisible(active) && IsWindowEnabled(active) &&
        GetActiveWindow() != active) {
        SetForegroundWindow(active);
    }
}

void Modal::SetFrameWindow(HWND frame) noexcept {
    Frame() = frame;
}

HWND Modal::FrameWindow() noexcept {
    return Frame();
}

int32_t Modal::Depth() noexcept {
    return ModalNesting::Depth();
}

}  // namespace app
