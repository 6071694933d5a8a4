#include "ui/win32/CurrentColorControl.h"

#include "paint/ColorSettings.h"
#include "ui/ColorPanelRules.h"
#include "ui/win32/DrawItemDC.h"
#include "ui/win32/GdiObject.h"

namespace app {

namespace {

constexpr int kActiveOutline = 2;  // pixels

COLORREF Rgb(uint32_t colour) {
    return colour & 0x00FFFFFFu;  // a colour word's low three bytes are a COLORREF
}

void DrawSquare(DC& dc, const Rect32& square, uint32_t colour, bool active) {
    GdiObject fill;
    fill.CreateSolidBrush(Rgb(colour));
    GdiObject outline;
    if (active)
        outline.CreatePen(PS_SOLID, kActiveOutline, RGB(255, 255, 255));
    else
        outline.SetStock(BLACK_PEN);
    dc.Select(fill);
    dc.Select(outline);
    Rectangle(dc.Handle(), square.left, square.top, square.right, square.bottom);
    dc.Restore();
}

}  // namespace

void CurrentColorControl::Draw(const DRAWITEMSTRUCT& item) {
    if (item.itemState & ODS_DISABLED)
        return;
    const COLORSETTING setting = GetColorSetting(-1);
    const int32_t width = item.rcItem.right - item.rcItem.left;
    const int32_t height = item.rcItem.bottom - item.rcItem.top;
    DrawItemDC dc(item);
    DrawSquare(dc, ColorPanelRules::BackgroundSquare(width, height), setting.Color[1], !setting.useFore);
    DrawSquare(dc, ColorPanelRules::ForegroundSquare(width, height), setting.Color[0], setting.useFore);
}

bool CurrentColorControl::OnPress(int x, int y) {
    RECT client = {};
    GetClientRect(Handle(), &client);
    const int32_t square = ColorPanelRules::SquareAt(x, y, client.right, client.bottom);
    if (square < 0)
        return false;
    COLORSETTING setting = GetColorSetting(-1);
    setting.useFore = square == 1;
    SetColorSetting(setting, -1);
    Invalidate();
    return false;
}

}  // namespace app
