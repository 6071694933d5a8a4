#pragma once

#include <windows.h>

#include <memory>

#include "ui/win32/DC.h"

namespace app {

class ClientDCMember;

// The client-area context of a window, for drawing outside a paint pass.
class ClientDC : public DC {
  public:
    explicit ClientDC(HWND window);
    ~ClientDC() override;

  private:
    std::unique_ptr<ClientDCMember> m_;
};

}  // namespace app
