#include "ui/win32/GdiObject.h"

#include "base/Exception.h"
#include "ui/win32/DC.h"

namespace app {

class GdiObjectMember {
  public:
    HGDIOBJ handle = nullptr;
    DWORD type = 0;
    bool owned = false;
    DC* selectedInto = nullptr;
};

GdiObject::GdiObject() : m_(std::make_unique<GdiObjectMember>()) {}

GdiObject::GdiObject(HGDIOBJ handle, bool owned) : GdiObject() {
    Take(handle, owned);
}

GdiObject::~GdiObject() {
    Reset();
}

void GdiObject::Reset(HGDIOBJ handle, bool owned) {
    if (m_->selectedInto)
        m_->selectedInto->Deselect(*this);
    if (m_->handle && m_->owned)
        DeleteObject(m_->handle);
    m_->handle = nullptr;
    m_->type = 0;
    m_->owned = false;
    Take(handle, owned);
}

void GdiObject::Take(HGDIOBJ handle, bool owned) {
    m_->handle = handle;
    m_->type = handle ? GetObjectType(handle) : 0;
    m_->owned = owned && handle;
}

void GdiObject::CreateSolidBrush(COLORREF colour) {
    HBRUSH brush = ::CreateSolidBrush(colour);
    if (!brush)
        throw Exception(ErrorNoMemory);
    Reset(brush);
}

void GdiObject::CreatePen(int style, int width, COLORREF colour) {
    HPEN pen = ::CreatePen(style, width, colour);
    if (!pen)
        throw Exception(ErrorNoMemory);
    Reset(pen);
}

void GdiObject::CreateCompatibleBitmap(HDC context, int width, int height) {
    HBITMAP bitmap = ::CreateCompatibleBitmap(context, width, height);
    if (!bitmap)
        throw Exception(ErrorNoMemory);
    Reset(bitmap);
}

void GdiObject::SetStock(int stockObject) {
    Reset(GetStockObject(stockObject), false);
}

HGDIOBJ GdiObject::Handle() const noexcept {
    return m_->handle;
}

DWORD GdiObject::Type() const noexcept {
    return m_->type;
}

DC* GdiObject::SelectedInto() const noexcept {
    return m_->selectedInto;
}

void GdiObject::SetSelectedInto(DC* context) noexcept {
    m_->selectedInto = context;
}

}  // namespace app
