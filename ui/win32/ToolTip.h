#pragma once

#include <windows.h>

#include <commctrl.h>

#include <cstdint>

#include "ui/win32/Window.h"

namespace app {

// A tooltip window ("tooltips_class32", shown even while its owner is inactive) whose tools
// are the child controls of its owner, each identified by its window and relaying its own
// mouse messages; the owner supplies the texts on TTN_NEEDTEXTA through SupplyText.
class ToolTip : public Window {
  public:
    ToolTip();
    ~ToolTip() override;

    // Raises error 5 when the window cannot be created.
    void Create(HWND owner);
    void AddTool(HWND control);
    // Adds every child window of the owner, in the platform's child order.
    void AddChildren();
    int32_t ToolCount() const;

    // Answers TTN_NEEDTEXTA: the tip text of the string whose id is the tool's control id
    // (or the tool id itself), the part after the first line break, empty when there is none.
    static void SupplyText(NMTTDISPINFOA* request);
    // Copies at most size - 1 bytes, never splitting a double-byte character.
    static void CopyText(const char* text, char* buffer, int32_t size);
};

}  // namespace app
