#include "ui/win32/VolumeControl.h"

#include <vector>

#include "ui/VolumeScale.h"
#include "ui/win32/DrawItemDC.h"
#include "ui/win32/GdiObject.h"

namespace app {

class VolumeControlMember {
  public:
    double value = 0.0;
    double minimum = 0.0;
    double maximum = 1.0;
    int32_t kind = VolumeScale::KindValue;
};

namespace {

constexpr COLORREF kBarColour = RGB(0, 255, 255);
constexpr int kLabelGap = 3;  // pixels between a shortened label and the value

std::string WindowText(HWND window) {
    const int length = GetWindowTextLengthA(window);
    std::vector<char> text(static_cast<size_t>(length > 0 ? length : 0) + 1);
    GetWindowTextA(window, text.data(), static_cast<int>(text.size()));
    return text.data();
}

}  // namespace

VolumeControl::VolumeControl() : m_(std::make_unique<VolumeControlMember>()) {}

VolumeControl::~VolumeControl() = default;

void VolumeControl::SetValue(double value) {
    m_->value = value;
    if (Handle())
        Invalidate();
}

double VolumeControl::Value() const noexcept {
    return m_->value;
}

void VolumeControl::SetRange(double minimum, double maximum) {
    m_->minimum = minimum;
    m_->maximum = maximum;
    if (Handle())
        Invalidate();
}

double VolumeControl::Minimum() const noexcept {
    return m_->minimum;
}

double VolumeControl::Maximum() const noexcept {
    return m_->maximum;
}

void VolumeControl::SetKind(int32_t kind) {
    m_->kind = kind;
}

bool VolumeControl::OnPress(int x, int /*y*/) {
    SetFromX(x);
    return true;
}

void VolumeControl::OnDrag(int x, int /*y*/) {
    SetFromX(x);
}

void VolumeControl::SetFromX(int x) {
    RECT client = {};
    GetClientRect(Handle(), &client);
    SetValue(VolumeScale::ValueFromX(x, client.left, client.right - client.left, m_->minimum, m_->maximum));
}

void VolumeControl::Draw(const DRAWITEMSTRUCT& item) {
    const bool enabled = (item.itemState & ODS_DISABLED) == 0;
    DrawItemDC dc(item);
    GdiObject face;
    face.CreateSolidBrush(GetSysColor(enabled ? COLOR_WINDOW : COLOR_BTNFACE));
    dc.Select(face);
    const RECT& box = item.rcItem;
    Rectangle(dc.Handle(), box.left, box.top, box.right, box.bottom);
    RECT inner = {box.left + 1, box.top + 1, box.right - 1, box.bottom - 1};
    if (enabled) {
        const int bar = VolumeScale::BarWidth(m_->value, m_->minimum, m_->maximum, inner.right - inner.left);
        GdiObject fill;
        fill.CreateSolidBrush(kBarColour);
        RECT filled = {inner.left, inner.top, inner.left + bar, inner.bottom};
        FillRect(dc.Handle(), &filled, static_cast<HBRUSH>(fill.Handle()));
    }
    dc.SetBackgroundMode(TRANSPARENT);
    RECT text = {inner.left + 1, inner.top, inner.right - 1, inner.bottom};
    if (enabled && m_->kind == VolumeScale::KindParentDraws) {
        DrawLabel(dc.Handle(), text, 0);
        VOLUMETEXT request = {dc.Handle(), text, m_->value};
        SendNotify(kDrawValue, reinterpret_cast<LPARAM>(&request));
        return;
    }
    const String value = enabled ? VolumeScale::Text(m_->kind, m_->value) : String();
    RECT measured = text;
    DrawTextA(dc.Handle(), value.CStr(), -1, &measured, DT_SINGLELINE | DT_CALCRECT);
    DrawLabel(dc.Handle(), text, value.IsEmpty() ? 0 : measured.right - measured.left + kLabelGap);
    DrawTextA(dc.Handle(), value.CStr(), -1, &text, DT_RIGHT | DT_SINGLELINE | DT_VCENTER);
}

// The label left-aligned, shortened with an ellipsis where it would run into the value.
void VolumeControl::DrawLabel(HDC context, const RECT& text, int valueWidth) {
    RECT place = text;
    place.right -= valueWidth;
    const std::string label = WindowText(Handle());
    DrawTextA(context, label.c_str(), -1, &place, DT_LEFT | DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS);
}

}  // namespace app
