#include "tools/substitute-host/Screenshots.h"

#include <windows.h>

#include <dlgs.h>

#include <algorithm>

#include "resources/ResourceIds.h"
#include "tools/common/RunDriver.h"
#include "tools/substitute-host/ManualShots.h"
#include "tools/substitute-host/ShotFile.h"

namespace tools {

namespace {

// A dialog opened by a button of a window, found by a control of its own.
struct DIALOGSHOT {
    const char* name;
    int openerControl;  // a control of the window that holds the button
    int button;
    int dialogControl;
    int switchOn;  // a check box to tick first, so that the picture shows the controls it enables
};

constexpr DIALOGSHOT kDialogs[] = {
    {"dialog-limit", IDC_COUNT, IDC_COUNT_DETAIL, IDC_LIMIT, 0},
    {"dialog-attraction", IDC_ATTRACTION, IDC_ATTRACTION_DETAIL, IDC_GRAVITY_AREA, 0},
    {"dialog-repulsion", IDC_REPULSION, IDC_REPULSION_DETAIL, IDC_REPULSION_AREA, 0},
    {"dialog-viscosity", IDC_VISCOSITY, IDC_VISCOSITY_DETAIL, IDC_VISCOSITY_AREA, 0},
    {"dialog-velocity", IDC_VELOCITY, IDC_VELOCITY_DETAIL, IDC_VELOCITY_WIGGLE, 0},
    {"dialog-spin", IDC_REPULSION, IDC_USE_SPIN, IDC_SPIN_USE, IDC_SPIN_USE},
    {"dialog-split", IDC_REPULSION, IDC_USE_SPLIT, IDC_SPLIT_USE, IDC_SPLIT_USE},
    {"dialog-gravity-limit", IDC_GRAVITY, IDC_GRAVITY_LIMIT, IDC_LIMIT, 0},
    {"dialog-color-detail", IDC_COLOR_TABLE, IDC_COLOR_DETAIL, IDC_CYCLE_LENGTH, 0},
};

void Close(HWND window, int button) {
    PostMessageA(window, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
    RunDriver::WaitUntil([&] { return !IsWindow(window); });
}

// The frame on the left of the screen, the panels in a column beside it.
void LayOut(RunDriver& run, HWND frame) {
    SetWindowPos(frame, nullptr, 0, 0, 860, 680, SWP_NOZORDER);
    int top = 0;
    for (int control : {IDC_GRAVITY, IDC_REPULSION, IDC_COLOR_TABLE}) {
        HWND panel = run.WindowWith(control);
        if (!panel)
            continue;
        RECT rect = {};
        GetWindowRect(panel, &rect);
        SetWindowPos(panel, HWND_TOP, 870, top, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
        top += rect.bottom - rect.top + 10;
    }
}

void ShootRefusal(RunDriver& run, const std::string& folder) {
    HWND panel = run.WindowWith(IDC_COUNT);
    RunDriver::PressButton(GetDlgItem(panel, IDC_COUNT_DETAIL));
    HWND dialog = run.WindowWith(IDC_LIMIT);
    if (!dialog)
        return;
    RunDriver::SetText(GetDlgItem(dialog, IDC_LIMIT), "0.5");
    RunDriver::PressButton(GetDlgItem(dialog, IDOK));
    HWND box = run.MessageBoxOf(dialog);
    ShootWindow(box, folder, "message-limit");
    if (box)
        Close(box, IDOK);
    Close(dialog, IDCANCEL);
}

// The options dialog, opened by its command and owned by the view.
void ShootOptions(RunDriver& run, const std::string& folder) {
    RunDriver::Command(run.Frame(), IDM_OPTIONS);
    HWND dialog = run.WindowWith(IDC_TURN_INTERVAL);
    ShootWindow(dialog, folder, "dialog-options");
    if (dialog)
        Close(dialog, IDCANCEL);
}

// ---- The spray list panel, its name dialog and the file dialog ----

// The spray list beside the other panels' column, right of the widest of them.  Nothing is
// picked: a picked preset would become the spray of every picture that follows.
HWND PlaceCatalogue(RunDriver& run) {
    HWND panel = run.WindowWith(IDC_CATALOG_LIST);
    if (!panel)
        return nullptr;
    int left = 1020;
    for (int control : {IDC_GRAVITY, IDC_REPULSION, IDC_COLOR_TABLE}) {
        RECT rect = {};
        if (HWND other = run.WindowWith(control, 0); other && GetWindowRect(other, &rect))
            left = std::max(left, static_cast<int>(rect.right) + 10);
    }
    SetWindowPos(panel, HWND_TOP, left, 0, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
    return panel;
}

// Last of all: a picked preset becomes the current spray.
void ShootCatalogue(RunDriver& run, HWND panel, const std::string& folder) {
    if (panel)
        RunDriver::Click(GetDlgItem(panel, IDC_CATALOG_LIST), {10, 5});  // the buttons that need a pick
    ShootWindow(panel, folder, "panel-catalog");
    if (!panel)
        return;
    RunDriver::PressButton(GetDlgItem(panel, IDC_CATALOG_ADD));
    HWND name = run.WindowWith(IDC_PRESET_NAME);
    ShootWindow(name, folder, "dialog-name");
    if (name) {
        RunDriver::SetText(GetDlgItem(name, IDC_PRESET_NAME), "");
        RunDriver::PressButton(GetDlgItem(name, IDOK));
        HWND box = run.MessageBoxOf(name);
        ShootWindow(box, folder, "message-name");
        if (box)
            Close(box, IDOK);
        Close(name, IDCANCEL);
    }
    RunDriver::PressButton(GetDlgItem(panel, IDC_CATALOG_OPEN));
    HWND files = run.WindowWith(cmb13);  // the file name box of the system's dialog
    if (files)  // beside its owner it reaches past the screen's edge, where nothing is captured
        SetWindowPos(files, nullptr, 300, 100, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ShootWindow(files, folder, "dialog-file");
    if (files)
        Close(files, IDCANCEL);
}

}  // namespace

void TakeScreenshots(RunDriver& run, const std::string& folder) {
    HWND frame = run.Frame();
    LayOut(run, frame);
    HWND catalogue = PlaceCatalogue(run);
    ShootWindow(frame, folder, "frame");
    ShootWindow(run.WindowWith(IDC_GRAVITY), folder, "panel-general");
    ShootWindow(run.WindowWith(IDC_REPULSION), folder, "panel-spray");
    ShootWindow(run.WindowWith(IDC_COLOR_TABLE), folder, "panel-color");
    for (const DIALOGSHOT& shot : kDialogs) {
        HWND opener = run.WindowWith(shot.openerControl);
        RunDriver::PressButton(GetDlgItem(opener, shot.button));
        HWND dialog = run.WindowWith(shot.dialogControl);
        if (dialog && shot.switchOn)
            RunDriver::PressButton(GetDlgItem(dialog, shot.switchOn));  // cancelled below: nothing changes
        ShootWindow(dialog, folder, shot.name);
        if (dialog)
            Close(dialog, IDCANCEL);
    }
    ShootRefusal(run, folder);
    ShootOptions(run, folder);
    TakeManualShots(run, folder);
    ShootCatalogue(run, catalogue, folder);
}

}  // namespace tools
