#include "ui/win32/AngleControl.h"

#include "ui/AngleDial.h"
#include "ui/win32/DrawItemDC.h"
#include "ui/win32/GdiObject.h"

namespace app {

class AngleControlMember {
  public:
    double angle = 0.0;
    bool signedDisplay = false;
};

namespace {

constexpr COLORREF kPointerColour = RGB(0, 255, 255);

}  // namespace

AngleControl::AngleControl() : m_(std::make_unique<AngleControlMember>()) {}

AngleControl::~AngleControl() = default;

void AngleControl::SetAngle(double angle) {
    m_->angle = angle;
    if (Handle())
        Invalidate();
}

double AngleControl::Angle() const noexcept {
    return m_->angle;
}

void AngleControl::SetSignedDisplay(bool signedDisplay) {
    m_->signedDisplay = signedDisplay;
}

bool AngleControl::OnPress(int x, int y) {
    SetFromPoint(x, y);
    return true;
}

void AngleControl::OnDrag(int x, int y) {
    SetFromPoint(x, y);
}

void AngleControl::SetFromPoint(int x, int y) {
    RECT client = {};
    GetClientRect(Handle(), &client);
    SetAngle(AngleDial::AngleFromPoint(x, y, client.right, client.bottom));
}

void AngleControl::Draw(const DRAWITEMSTRUCT& item) {
    const bool enabled = (item.itemState & ODS_DISABLED) == 0;
    DrawItemDC dc(item);
    GdiObject face;
    face.CreateSolidBrush(GetSysColor(enabled ? COLOR_WINDOW : COLOR_BTNFACE));
    dc.Select(face);
    const RECT& box = item.rcItem;
    Ellipse(dc.Handle(), box.left, box.top, box.right, box.bottom);
    if (!enabled)
        return;
    Point32 corners[4];
    AngleDial::Pointer(m_->angle, box.right - box.left, box.bottom - box.top, corners);
    POINT points[4];
    for (int i = 0; i < 4; ++i)
        points[i] = {box.left + corners[i].x, box.top + corners[i].y};
    GdiObject pointer;
    pointer.CreateSolidBrush(kPointerColour);
    dc.Select(pointer);
    Polygon(dc.Handle(), points, 4);
    dc.SetBackgroundMode(TRANSPARENT);
    RECT text = box;
    const String degrees = AngleDial::Text(m_->angle, m_->signedDisplay);
    DrawTextA(dc.Handle(), degrees.CStr(), -1, &text, DT_CENTER | DT_SINGLELINE | DT_VCENTER);
}

}  // namespace app
