#pragma once

#include <windows.h>

#include "ui/win32/OwnerDrawnControl.h"

namespace app {

// The current colours: the background square at the lower right with the foreground square
// over it at the upper left, the active one outlined in white.  It reads and writes the current
// tool's colour setting itself: a press in a square makes that colour the active one.
class CurrentColorControl : public OwnerDrawnControl {
  protected:
    void Draw(const DRAWITEMSTRUCT& item) override;
    bool OnPress(int x, int y) override;
};

}  // namespace app
