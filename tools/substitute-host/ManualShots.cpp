#include "tools/substitute-host/ManualShots.h"

#include <windows.h>

#include <commctrl.h>

#include <cmath>
#include <cstdio>
#include <vector>

#include "resources/ResourceIds.h"
#include "tools/common/RunDriver.h"
#include "tools/substitute-host/ShotFile.h"

namespace tools {

namespace {

constexpr int kSettleMs = 400;  // for the last turn's picture to reach the screen
constexpr int kStrokeSteps = 30;
constexpr int kStepMs = 50;  // a little more than a turn, so that every turn sprays somewhere new
constexpr int kToolbarId = 1000;
constexpr int kMotionEndsMs = 15000;

// A wavy stroke across the upper half of the picture.
void PaintStroke(HWND view) {
    RECT client = {};
    GetClientRect(view, &client);
    const int left = client.right / 2 - 170, top = client.bottom / 2 - 100;
    std::vector<POINT> points;
    for (int i = 0; i <= kStrokeSteps; ++i)
        points.push_back({left + 340 * i / kStrokeSteps, top + static_cast<int>(18 * std::sin(i * 0.45))});
    RunDriver::HandStroke(view, points, kStepMs);
}

// Once the last particle has gone, the stroke is a history step and undo comes alive.
bool WaitForMotionToEnd(HWND frame) {
    HWND toolbar = GetDlgItem(frame, kToolbarId);
    return RunDriver::WaitUntil([&] { return SendMessageA(toolbar, TB_ISBUTTONENABLED, IDM_UNDO, 0) != 0; },
                                kMotionEndsMs);
}

// The frame and every panel shown beside it.
struct PANORAMA {
    HWND frame;
    RECT area;
};

BOOL CALLBACK AddPanel(HWND window, LPARAM data) {
    PANORAMA* panorama = reinterpret_cast<PANORAMA*>(data);
    if (GetWindow(window, GW_OWNER) == panorama->frame && IsWindowVisible(window)) {
        RECT panel = {};
        GetWindowRect(window, &panel);
        UnionRect(&panorama->area, &panorama->area, &panel);
    }
    return TRUE;
}

// The frame and the panels beside it, as the user sees them side by side.
void ShootWorkspace(RunDriver& run, const std::string& folder) {
    HWND frame = run.Frame();
    PaintStroke(GetDlgItem(frame, IDC_VIEW));
    if (!WaitForMotionToEnd(frame))
        std::fprintf(stderr, "workspace: the stroke did not come to rest\n");
    PANORAMA panorama = {frame, {}};
    GetWindowRect(frame, &panorama.area);
    EnumWindows(AddPanel, reinterpret_cast<LPARAM>(&panorama));
    SetCursorPos(0, 0);  // out of the picture
    Sleep(kSettleMs);
    SaveShot(RunDriver::Capture(GetDesktopWindow()), panorama.area, folder, "workspace");
}

void ShootAbout(RunDriver& run, const std::string& folder) {
    RunDriver::Command(run.Frame(), IDM_ABOUT);
    HWND dialog = run.WindowWith(IDOK);
    ShootWindow(dialog, folder, "dialog-about");
    if (dialog) {
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        RunDriver::WaitUntil([&] { return !IsWindow(dialog); });
    }
}

}  // namespace

void TakeManualShots(RunDriver& run, const std::string& folder) {
    ShootAbout(run, folder);
    ShootWorkspace(run, folder);
}

}  // namespace tools
