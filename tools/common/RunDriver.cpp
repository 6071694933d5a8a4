#include "tools/common/RunDriver.h"

#include <chrono>
#include <vector>

namespace tools {

namespace {

constexpr int kPollMs = 20;

struct SEARCH {
    DWORD thread;
    int controlId;
    HWND owner;
    HWND found;
};

bool IsFrame(HWND window) {
    char name[32] = {};
    GetClassNameA(window, name, sizeof name);
    return std::string(name) == "AppWindow" && GetParent(window) == nullptr;
}

BOOL CALLBACK FindFrame(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<SEARCH*>(data);
    if (!IsFrame(window))
        return TRUE;
    search->found = window;
    return FALSE;
}

BOOL CALLBACK FindHolder(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<SEARCH*>(data);
    if (!IsWindowVisible(window) || !GetDlgItem(window, search->controlId))
        return TRUE;
    search->found = window;
    return FALSE;
}

BOOL CALLBACK FindMessageBox(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<SEARCH*>(data);
    char name[16] = {};
    GetClassNameA(window, name, sizeof name);
    // A message box is a dialog with a text of id 0xFFFF that its owner opened.
    if (std::string(name) != "#32770" || GetWindow(window, GW_OWNER) != search->owner || !IsWindowVisible(window) ||
        !GetDlgItem(window, 0xFFFF))  // the frame's panels are dialogs it owns too
        return TRUE;
    search->found = window;
    return FALSE;
}

HWND Search(DWORD thread, WNDENUMPROC check, int controlId, HWND owner, int waitMs) {
    HWND found = nullptr;
    RunDriver::WaitUntil(
        [&] {
            SEARCH search = {thread, controlId, owner, nullptr};
            EnumThreadWindows(thread, check, reinterpret_cast<LPARAM>(&search));
            found = search.found;
            return found != nullptr;
        },
        waitMs);
    return found;
}

}  // namespace

void RunDriver::Start(Script script) {
    runThread_ = GetCurrentThreadId();
    thread_ = std::thread([this, script = std::move(script)] {
        if (Frame())
            script(*this);
    });
}

void RunDriver::Join() {
    if (thread_.joinable())
        thread_.join();
}

HWND RunDriver::Frame() {
    return Search(runThread_, FindFrame, 0, nullptr, 20000);
}

HWND RunDriver::WindowWith(int controlId, int waitMs) {
    return Search(runThread_, FindHolder, controlId, nullptr, waitMs);
}

HWND RunDriver::MessageBoxOf(HWND owner, int waitMs) {
    return Search(runThread_, FindMessageBox, 0, owner, waitMs);
}

bool RunDriver::WaitUntil(const std::function<bool()>& done, int waitMs) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMs);
    for (;;) {
        if (done())
            return true;
        if (std::chrono::steady_clock::now() > end)
            return false;
        Sleep(kPollMs);
    }
}

void RunDriver::Drag(HWND control, POINT from, POINT to) {
    SendMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(from.x, from.y));
    SendMessageA(control, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM((from.x + to.x) / 2, (from.y + to.y) / 2));
    SendMessageA(control, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(to.x, to.y));
    SendMessageA(control, WM_LBUTTONUP, 0, MAKELPARAM(to.x, to.y));
}

void RunDriver::Click(HWND control, POINT at) {
    Drag(control, at, at);
}

void RunDriver::HandStroke(HWND view, const std::vector<POINT>& points, int stepMs) {
    for (size_t i = 0; i < points.size(); ++i) {
        POINT screen = points[i];
        ClientToScreen(view, &screen);
        SetCursorPos(screen.x, screen.y);
        PostMessageA(view, i == 0 ? WM_LBUTTONDOWN : WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(points[i].x, points[i].y));
        Sleep(stepMs);
    }
    if (!points.empty())
        PostMessageA(view, WM_LBUTTONUP, 0, MAKELPARAM(points.back().x, points.back().y));
}

void RunDriver::PressButton(HWND button) {
    PostMessageA(button, BM_CLICK, 0, 0);
}

void RunDriver::Key(HWND window, UINT key, bool system) {
    PostMessageA(window, system ? WM_SYSKEYDOWN : WM_KEYDOWN, key, 1);
    PostMessageA(window, system ? WM_SYSKEYUP : WM_KEYUP, key, 0xC0000001);
}

void RunDriver::Command(HWND frame, int id) {
    PostMessageA(frame, WM_COMMAND, MAKEWPARAM(id, 0), 0);
}

std::string RunDriver::Text(HWND window) {
    char text[512] = {};
    SendMessageA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    return text;
}

void RunDriver::SetText(HWND window, const std::string& text) {
    SendMessageA(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

RunDriver::SNAPSHOT RunDriver::Capture(HWND window) {
    RECT rect = {};
    GetWindowRect(window, &rect);
    SNAPSHOT shot;
    shot.width = rect.right - rect.left;
    shot.height = rect.bottom - rect.top;
    if (shot.width <= 0 || shot.height <= 0)
        return shot;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, shot.width, shot.height);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, shot.width, shot.height, screen, rect.left, rect.top, SRCCOPY);
    SelectObject(memory, old);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = shot.width;
    info.bmiHeader.biHeight = -shot.height;  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    const int stride = (shot.width * 3 + 3) & ~3;
    std::vector<char> rows(static_cast<size_t>(stride) * shot.height);
    GetDIBits(memory, bitmap, 0, shot.height, rows.data(), &info, DIB_RGB_COLORS);
    for (int y = 0; y < shot.height; ++y)
        shot.bgr.append(rows.data() + static_cast<size_t>(y) * stride, static_cast<size_t>(shot.width) * 3);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return shot;
}

}  // namespace tools
