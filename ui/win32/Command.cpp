#include "ui/win32/Command.h"

#include <commctrl.h>

namespace app {

void Command::SetCheck(bool check) {
    if (kind_ == MenuItem) {
        CheckMenuItem(menu_, static_cast<UINT>(item_), MF_BYPOSITION | (check ? MF_CHECKED : MF_UNCHECKED));
    } else {
        SetButtonState(TBSTATE_CHECKED, check);
    }
}

void Command::Enable(bool enable) {
    if (kind_ == MenuItem) {
        EnableMenuItem(menu_, static_cast<UINT>(item_), MF_BYPOSITION | (enable ? MF_ENABLED : MF_GRAYED));
    } else {
        SetButtonState(TBSTATE_ENABLED, enable);
    }
}

void Command::Apply(const COMMAND_STATE& state) {
    if (state.setsEnable)
        Enable(state.enable);
    if (state.setsCheck)
        SetCheck(state.check);
}

void Command::SetButtonState(BYTE flag, bool on) {
    const LRESULT current = SendMessageA(toolbar_, TB_GETSTATE, static_cast<WPARAM>(item_), 0);
    if (current == -1)
        return;  // no such button
    const BYTE state = static_cast<BYTE>(on ? (current | flag) : (current & ~flag));
    SendMessageA(toolbar_, TB_SETSTATE, static_cast<WPARAM>(item_), MAKELPARAM(state, 0));
}

}  // namespace app
