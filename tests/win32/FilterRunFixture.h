// Whole filter runs in this process: the real frame, view and message loop over an in-memory
// host image, driven from inside the loop by a scripted probe.  Shared by the filter-run tests.
#pragma once

#include <windows.h>

#include <cstring>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "base/System.h"
#include "host/HostImage.h"
#include "host/win32/RunFilter.h"
#include "host/win32/RunProbe.h"
#include "resources/ResourceIds.h"
#include "settings/SettingsPaths.h"
#include "tests/support/FakeHost.h"
#include "tests/support/TestFiles.h"
#include "ui/ViewGeometry.h"

namespace test {

// A named CALLBACK, not a lambda: on 32-bit Windows the enumeration calls it as stdcall.
inline BOOL CALLBACK NoteAppWindow(HWND window, LPARAM flag) {
    char name[32] = {};
    GetClassNameA(window, name, sizeof name);
    if (std::strcmp(name, "AppWindow") != 0)
        return TRUE;
    *reinterpret_cast<bool*>(flag) = true;
    return FALSE;
}

// Windows of this thread only: other test programs may have painting windows open meanwhile.
inline bool ThreadHasAppWindow() {
    bool found = false;
    EnumThreadWindows(GetCurrentThreadId(), NoteAppWindow, reinterpret_cast<LPARAM>(&found));
    return found;
}

inline constexpr int32_t kWidth = 160;
inline constexpr int32_t kHeight = 120;
inline constexpr int32_t kStrokeY = 60;
inline constexpr int32_t kStrokeLeft = 60;
inline constexpr int32_t kStrokeRight = 100;
inline constexpr int32_t kTurnLimit = 3000;  // a run that turns longer than this has gone wrong

// Runs one step at every point where the loop is about to wait for input.  Each step posts at
// least a WM_NULL, so the loop comes back to the next step; after the last one the frame is
// closed.
class ScriptedRun : public app::RunProbe {
  public:
    using Step = std::function<void(HWND frame)>;

    explicit ScriptedRun(std::vector<Step> steps) : steps_(std::move(steps)) { app::SetRunProbe(this); }
    ~ScriptedRun() override { app::SetRunProbe(nullptr); }

    void AfterIdle(HWND frame, bool working, int32_t turnsRun) override {
        if (turnsRun != turns && everyTurn)
            everyTurn(frame);
        turns = turnsRun;
        if (turnsRun > kTurnLimit && !closing_) {
            ADD_FAILURE() << "the particles never came to rest";
            Close(frame);
        }
        if (working || closing_)
            return;
        if (next_ >= steps_.size()) {
            Close(frame);
            return;
        }
        steps_[next_++](frame);
        PostMessageA(frame, WM_NULL, 0, 0);
    }

    size_t StepsRun() const { return next_; }
    int32_t turns = 0;
    // Called once a turn while set.
    std::function<void(HWND frame)> everyTurn;

  private:
    void Close(HWND frame) {
        closing_ = true;
        PostMessageA(frame, WM_CLOSE, 0, 0);
    }

    std::vector<Step> steps_;
    size_t next_ = 0;
    bool closing_ = false;
};

// Moves the cursor to a view point and posts the mouse message there, so that the turn
// events (which read the cursor) follow the drag.
inline void PostMouse(HWND view, UINT message, WPARAM keys, int x, int y) {
    POINT screen = {x, y};
    ClientToScreen(view, &screen);
    SetCursorPos(screen.x, screen.y);
    PostMessageA(view, message, keys, MAKELPARAM(x, y));
}

inline app::Point32 ImageOriginIn(HWND view) {
    RECT client = {};
    GetClientRect(view, &client);
    return app::ViewGeometry::ImageOrigin({client.right, client.bottom}, {kWidth, kHeight}, 100);
}

// A left-button drag along row kStrokeY of the image at zoom 100, one step of 4 pixels a turn.
inline void StartStroke(ScriptedRun& script, HWND frame) {
    HWND view = GetDlgItem(frame, IDC_VIEW);
    const app::Point32 origin = ImageOriginIn(view);
    PostMouse(view, WM_LBUTTONDOWN, MK_LBUTTON, origin.x + kStrokeLeft, origin.y + kStrokeY);
    auto x = std::make_shared<int>(kStrokeLeft);
    script.everyTurn = [&script, view, origin, x](HWND) {
        *x += 4;
        if (*x <= kStrokeRight) {
            PostMouse(view, WM_MOUSEMOVE, MK_LBUTTON, origin.x + *x, origin.y + kStrokeY);
            return;
        }
        PostMouse(view, WM_LBUTTONUP, 0, origin.x + kStrokeRight, origin.y + kStrokeY);
        script.everyTurn = nullptr;
    };
}

inline void PostCommand(HWND frame, int id) {
    PostMessageA(frame, WM_COMMAND, MAKEWPARAM(id, 0), 0);
}

inline bool ButtonEnabled(HWND frame, int id) {
    return SendMessageA(GetDlgItem(frame, IDC_TOOLBAR), TB_ISBUTTONENABLED, static_cast<WPARAM>(id), 0) != 0;
}

inline std::string WindowText(HWND window) {
    char text[256] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

inline LRESULT CALLBACK HostProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(window, message, wParam, lParam);
}

class FilterRun : public testing::Test {
  protected:
    void SetUp() override {
        test::ReportedFailures().clear();
        hostPath_ = folder_.File("host.cfg");
        // Turns as fast as the tick allows, so motion ends within a few dozen milliseconds.
        test::WriteFileText(SettingsFile(), "[App]\r\nRegistryVersion=1\r\nTurnInterval=1\r\n");
        WNDCLASSA type = {};
        type.lpfnWndProc = HostProcedure;
        type.hInstance = GetModuleHandleA(nullptr);
        type.lpszClassName = "FilterRunTestHost";
        RegisterClassA(&type);
        hostWindow_ = CreateWindowA("FilterRunTestHost", "host", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr,
                                    GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(hostWindow_, nullptr);
    }
    void TearDown() override { DestroyWindow(hostWindow_); }

    std::string SettingsFile() const { return app::SettingsFilePath(app::ModuleFilePath(), hostPath_.c_str()); }

    // Fills the host picture with a half-transparent blue-grey so that red paint shows.
    static void Fill(test::FakeHost& host) {
        for (size_t i = 0; i < host.alpha.size(); ++i) {
            host.colour[3 * i] = 200;
            host.colour[3 * i + 1] = 120;
            host.colour[3 * i + 2] = 40;
            host.alpha[i] = 128;
        }
    }

    int32_t Run(test::FakeHost& host) {
        return app::RunFilterProc(hostWindow_, &host.info, &host.write, &host.read, hostPath_.c_str(),
                                  [](void* window) { return app::RunFilter(static_cast<HWND>(window)); });
    }

    test::TempFolder folder_;
    std::string hostPath_;
    HWND hostWindow_ = nullptr;
};

}  // namespace test
