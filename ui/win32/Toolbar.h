#pragma once

#include <windows.h>

#include <cstdint>

namespace app {

// One button of the frame's toolbar: command, 16 x 16 bitmap resource, initial state and
// style.  Entries with command 0 and bitmap 0 are separators; the table ends with command -1.
struct TOOLBAR_ENTRY {
    int32_t command;
    int32_t bitmap;
    BYTE state;
    BYTE style;
};

// The frame's toolbar: a fixed row of buttons without text whose tooltips come from the
// commands' strings.
class Toolbar {
  public:
    static const TOOLBAR_ENTRY* Entries();
    // Creates the toolbar (hidden) at the top of `frame` with child id 1000 and adds the
    // buttons of the table.  Raises error 5 when the window cannot be created.
    static HWND Create(HWND frame);
};

}  // namespace app
