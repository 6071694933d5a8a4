#include "ui/win32/ColorTableControl.h"

#include "base/Image.h"
#include "ui/ColorPanelRules.h"
#include "ui/win32/DrawItemDC.h"

namespace app {

class ColorTableControlMember {
  public:
    Image table;
    int32_t level = 0;
};

ColorTableControl::ColorTableControl() : m_(std::make_unique<ColorTableControlMember>()) {}

ColorTableControl::~ColorTableControl() = default;

void ColorTableControl::Fit() {
    RECT client = {};
    GetClientRect(Handle(), &client);
    m_->table.Create(client.right, client.bottom, 3);
    ColorPanelRules::FillTable(m_->table, m_->level);
}

void ColorTableControl::SetLevel(int32_t level) {
    m_->level = level;
    ColorPanelRules::FillTable(m_->table, level);
    if (Handle())
        Invalidate();
}

int32_t ColorTableControl::Level() const noexcept {
    return m_->level;
}

void ColorTableControl::Draw(const DRAWITEMSTRUCT& item) {
    DrawItemDC dc(item);
    dc.DrawImage(m_->table, item.rcItem.left, item.rcItem.top);
}

bool ColorTableControl::OnPress(int x, int y) {
    NotifyValueSet(static_cast<LPARAM>(ColorPanelRules::PickedColour(m_->table, x, y)));
    return false;
}

}  // namespace app
