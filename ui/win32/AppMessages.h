#pragma once

#include <windows.h>

namespace app {

// The program's own window messages.
constexpr UINT WM_TOOLCHANGED = WM_APP + 1;     // wParam: tool number; to frame, view and panels
constexpr UINT WM_UPDATECOMMANDS = WM_APP + 2;  // posted to the frame: refresh command states
constexpr UINT WM_UPDATECOMMAND = WM_APP + 3;   // wParam: command id, lParam: app::Command*
constexpr UINT WM_OPTIONSCHANGED = WM_APP + 4;
// The platform's winuser.h already defines WM_STYLECHANGED (0x7D), hence the longer name.
constexpr UINT WM_SPRAYSTYLECHANGED = WM_APP + 5;  // the current tool's spray style was replaced
constexpr UINT WM_DRAWCONTROL = WM_APP + 6;        // wParam: DRAWITEMSTRUCT*, to a custom control
constexpr UINT WM_CONTROLNOTIFY = WM_APP + 7;      // wParam: control id | code << 16, lParam: data
constexpr UINT WM_VIEWCLOSING = WM_APP + 9;

}  // namespace app
