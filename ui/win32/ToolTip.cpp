#include "ui/win32/ToolTip.h"

#include "base/Exception.h"
#include "base/String.h"
#include "base/win32/ModuleInstance.h"

namespace app {

ToolTip::ToolTip() = default;

ToolTip::~ToolTip() = default;

void ToolTip::Create(HWND owner) {
    INITCOMMONCONTROLSEX classes = {sizeof classes, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&classes);
    Window::Create(0, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                   {CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT}, owner, nullptr);
}

void ToolTip::AddTool(HWND control) {
    TTTOOLINFOA tool = {};
    // The short record: comctl32 before version 6 refuses the longer one.
    tool.cbSize = TTTOOLINFOA_V2_SIZE;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = GetWindow(Handle(), GW_OWNER);
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    tool.hinst = ModuleInstance;
    tool.lpszText = LPSTR_TEXTCALLBACKA;
    SendMessageA(Handle(), TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
}

void ToolTip::AddChildren() {
    HWND owner = GetWindow(Handle(), GW_OWNER);
    for (HWND child = GetWindow(owner, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        AddTool(child);
}

int32_t ToolTip::ToolCount() const {
    return static_cast<int32_t>(SendMessageA(Handle(), TTM_GETTOOLCOUNT, 0, 0));
}

void ToolTip::SupplyText(NMTTDISPINFOA* request) {
    const UINT_PTR tool = request->hdr.idFrom;
    const int id =
        (request->uFlags & TTF_IDISHWND) ? GetDlgCtrlID(reinterpret_cast<HWND>(tool)) : static_cast<int>(tool);
    request->lpszText = request->szText;
    request->hinst = nullptr;
    const String tip = String::Load(id).TipText();
    CopyText(tip.CStr(), request->szText, static_cast<int32_t>(sizeof request->szText));
}

void ToolTip::CopyText(const char* text, char* buffer, int32_t size) {
    int32_t length = 0;
    while (text[length] != '\0') {
        const int32_t step = IsDBCSLeadByte(static_cast<BYTE>(text[length])) && text[length + 1] != '\0' ? 2 : 1;
        if (length + step > size - 1)
            break;
        length += step;
    }
    CopyMemory(buffer, text, static_cast<SIZE_T>(length));
    buffer[length] = '\0';
}

}  // namespace app
