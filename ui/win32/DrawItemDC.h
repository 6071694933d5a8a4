#pragma once

#include <windows.h>

#include "ui/win32/DC.h"

namespace app {

// The context handed in by an owner-draw request: restored at the end, never released.
class DrawItemDC : public DC {
  public:
    explicit DrawItemDC(const DRAWITEMSTRUCT& item) : DC(item.hDC) {}
};

}  // namespace app
