#include "ui/win32/DC.h"

#include "base/Exception.h"
#include "base/Image.h"
#include "ui/win32/GdiObject.h"

namespace app {

namespace {

enum Slot { SlotPen, SlotBrush, SlotBitmap, SlotFont, SlotCount };

int SlotOf(DWORD type) {
    switch (type) {
        case OBJ_PEN:
        case OBJ_EXTPEN:
            return SlotPen;
        case OBJ_BRUSH:
            return SlotBrush;
        case OBJ_BITMAP:
            return SlotBitmap;
        case OBJ_FONT:
            return SlotFont;
        default:
            return -1;
    }
}

}  // namespace

class DCMember {
  public:
    HDC context = nullptr;
    GdiObject* selected[SlotCount] = {};
    HGDIOBJ replaced[SlotCount] = {};
    int replacedOperation = 0;   // 0: not changed
    int replacedBackground = 0;  // 0: not changed
};

DC::DC(HDC context) : m_(std::make_unique<DCMember>()) {
    m_->context = context;
}

DC::~DC() {
    Restore();
}

HDC DC::Handle() const noexcept {
    return m_->context;
}

void DC::SetHandle(HDC context) noexcept {
    m_->context = context;
}

void DC::Select(GdiObject& object) {
    const int slot = SlotOf(object.Type());
    if (slot < 0 || !m_->context)
        throw Exception(ErrorSystem, ERROR_INVALID_PARAMETER);
    if (m_->selected[slot] == &object)
        return;
    if (DC* other = object.SelectedInto())
        other->Deselect(object);
    if (GdiObject* earlier = m_->selected[slot])
        Deselect(*earlier);
    HGDIOBJ previous = SelectObject(m_->context, object.Handle());
    if (!previous || previous == HGDI_ERROR)
        throw Exception(ErrorSystem, static_cast<int32_t>(GetLastError()));
    m_->selected[slot] = &object;
    m_->replaced[slot] = previous;
    object.SetSelectedInto(this);
}

void DC::Deselect(GdiObject& object) noexcept {
    for (int slot = 0; slot < SlotCount; ++slot) {
        if (m_->selected[slot] != &object)
            continue;
        SelectObject(m_->context, m_->replaced[slot]);
        m_->selected[slot] = nullptr;
        m_->replaced[slot] = nullptr;
        object.SetSelectedInto(nullptr);
    }
}

void DC::SetRasterOperation(int operation) {
    const int previous = SetROP2(m_->context, operation);
    if (m_->replacedOperation == 0)
        m_->replacedOperation = previous;
}

void DC::SetBackgroundMode(int mode) {
    const int previous = SetBkMode(m_->context, mode);
    if (m_->replacedBackground == 0)
        m_->replacedBackground = previous;
}

void DC::Restore() noexcept {
    for (GdiObject* object : m_->selected) {
        if (object)
            Deselect(*object);
    }
    if (m_->replacedOperation != 0)
        SetROP2(m_->context, m_->replacedOperation);
    if (m_->replacedBackground != 0)
        SetBkMode(m_->context, m_->replacedBackground);
    m_->replacedOperation = 0;
    m_->replacedBackground = 0;
}

void DC::DrawImage(const Image& image, int x, int y) {
    if (image.Width() <= 0 || image.Height() <= 0)
        return;
    const auto* info = reinterpret_cast<const BITMAPINFO*>(&image.Header());
    SetDIBitsToDevice(m_->context, x, y, static_cast<DWORD>(image.Width()), static_cast<DWORD>(image.Height()), 0, 0, 0,
                      static_cast<UINT>(image.Height()), image.ConstData(), info, DIB_RGB_COLORS);
}

}  // namespace app
