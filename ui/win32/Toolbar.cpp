#include "ui/win32/Toolbar.h"

#include <commctrl.h>

#include "base/Exception.h"
#include "base/win32/ModuleInstance.h"
#include "resources/ResourceIds.h"

namespace app {

namespace {

constexpr int kPictureSize = 16;

constexpr TOOLBAR_ENTRY kEntries[] = {
    {IDM_UNDO, IDB_UNDO, 0, TBSTYLE_BUTTON},
    {IDM_REDO, IDB_REDO, 0, TBSTYLE_BUTTON},
    {0, 0, 0, TBSTYLE_SEP},
    {IDM_PAUSE, IDB_PAUSE, 0, TBSTYLE_BUTTON},
    {0, 0, 0, TBSTYLE_SEP},
    {IDM_ZOOM_OUT, IDB_ZOOM_OUT, 0, TBSTYLE_BUTTON},
    {IDM_ZOOM_IN, IDB_ZOOM_IN, 0, TBSTYLE_BUTTON},
    {0, 0, 0, TBSTYLE_SEP},
    {IDM_TOOL_PAINT, IDB_TOOL_PAINT, 0, TBSTYLE_BUTTON},
    {IDM_TOOL_ERASE, IDB_TOOL_ERASE, 0, TBSTYLE_BUTTON},
    {IDM_TOOL_BLUR, IDB_TOOL_BLUR, 0, TBSTYLE_BUTTON},
    {0, 0, 0, TBSTYLE_SEP},
    {IDM_PANEL_GENERAL, IDB_PANEL_GENERAL, 0, TBSTYLE_BUTTON},
    {IDM_PANEL_SPRAY, IDB_PANEL_SPRAY, 0, TBSTYLE_BUTTON},
    {IDM_PANEL_COLOR, IDB_PANEL_COLOR, 0, TBSTYLE_BUTTON},
    {IDM_PANEL_CATALOG, IDB_PANEL_CATALOG, 0, TBSTYLE_BUTTON},
    {-1, 0, 0, 0},
};

}  // namespace

const TOOLBAR_ENTRY* Toolbar::Entries() {
    return kEntries;
}

HWND Toolbar::Create(HWND frame) {
    HWND toolbar =
        CreateWindowExA(0, TOOLBARCLASSNAMEA, nullptr, WS_CHILD | TBSTYLE_TOOLTIPS | CCS_TOP, 0, 0, 0, 0, frame,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_TOOLBAR)), ModuleInstance, nullptr);
    if (!toolbar)
        throw Exception(ErrorCreateWindow);
    SendMessageA(toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    // The control takes pictures as 16 x 15 unless told otherwise, and would cut the bottom row
    // off ours.
    SendMessageA(toolbar, TB_SETBITMAPSIZE, 0, MAKELPARAM(kPictureSize, kPictureSize));
    int bitmaps = 0;
    for (const TOOLBAR_ENTRY* entry = kEntries; entry->command != -1; ++entry) {
        int image = 0;
        if (entry->bitmap != 0) {
            TBADDBITMAP picture = {ModuleInstance, static_cast<UINT_PTR>(entry->bitmap)};
            SendMessageA(toolbar, TB_ADDBITMAP, 1, reinterpret_cast<LPARAM>(&picture));
            image = bitmaps++;
        }
        TBBUTTON button = {};
        button.iBitmap = image;
        button.idCommand = entry->command;
        button.fsState = static_cast<BYTE>(entry->state | TBSTATE_ENABLED);
        button.fsStyle = entry->style;
        button.iString = -1;  // no text
        SendMessageA(toolbar, TB_ADDBUTTONSA, 1, reinterpret_cast<LPARAM>(&button));
    }
    return toolbar;
}

}  // namespace app
