#include "ui/win32/PaintDC.h"

#include "base/Exception.h"

namespace app {

class PaintDCMember {
  public:
    HWND window = nullptr;
    PAINTSTRUCT paint = {};
};

PaintDC::PaintDC(HWND window) : m_(std::make_unique<PaintDCMember>()) {
    m_->window = window;
    HDC context = BeginPaint(window, &m_->paint);
    if (!context)
        throw Exception(ErrorSystem, static_cast<int32_t>(GetLastError()));
    SetHandle(context);
}

PaintDC::~PaintDC() {
    Restore();
    EndPaint(m_->window, &m_->paint);
}

const PAINTSTRUCT& PaintDC::Paint() const noexcept {
    return m_->paint;
}

}  // namespace app
