#pragma once

#include <windows.h>

#include "ui/win32/DC.h"

namespace app {

// A memory context compatible with another (or with the screen for null), deleted at the end;
// a bitmap must be selected into it before anything can be drawn.
class MemoryDC : public DC {
  public:
    explicit MemoryDC(HDC compatible = nullptr);
    ~MemoryDC() override;
};

}  // namespace app
