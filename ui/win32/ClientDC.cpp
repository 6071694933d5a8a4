#include "ui/win32/ClientDC.h"

#include "base/Exception.h"

namespace app {

class ClientDCMember {
  public:
    HWND window = nullptr;
};

ClientDC::ClientDC(HWND window) : m_(std::make_unique<ClientDCMember>()) {
    m_->window = window;
    HDC context = GetDC(window);
    if (!context)
        throw Exception(ErrorSystem, static_cast<int32_t>(GetLastError()));
    SetHandle(context);
}

ClientDC::~ClientDC() {
    Restore();
    ReleaseDC(m_->window, Handle());
}

}  // namespace app
