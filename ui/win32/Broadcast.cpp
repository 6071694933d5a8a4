#include "ui/win32/Broadcast.h"

#include "resources/ResourceIds.h"
#include "ui/win32/Modal.h"
#include "ui/win32/Panel.h"

namespace app {

void Broadcast(UINT message, WPARAM wParam, LPARAM lParam) {
    HWND frame = Modal::FrameWindow();
    if (frame && IsWindow(frame)) {
        SendMessageA(frame, message, wParam, lParam);
        if (HWND view = GetDlgItem(frame, IDC_VIEW))
            SendMessageA(view, message, wParam, lParam);
    }
    for (int32_t index = 0; index < Panel::kCount; ++index) {
        if (Panel* panel = Panel::At(index); panel && panel->Handle())
            SendMessageA(panel->Handle(), message, wParam, lParam);
    }
}

}  // namespace app
