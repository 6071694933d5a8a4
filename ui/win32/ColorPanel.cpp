#include "ui/win32/ColorPanel.h"

#include <commctrl.h>

#include "paint/ColorSettings.h"
#include "paint/ToolSelection.h"
#include "resources/ResourceIds.h"
#include "settings/Registry.h"
#include "ui/ColorPanelRules.h"
#include "ui/IdValueTable.h"
#include "ui/VolumeScale.h"
#include "ui/win32/AppMessages.h"
#include "ui/win32/ColorDetail.h"
#include "ui/win32/ColorTableControl.h"
#include "ui/win32/CurrentColorControl.h"
#include "ui/win32/UpdateControl.h"
#include "ui/win32/VolumeControl.h"

namespace app {

class ColorPanelMember {
  public:
    ColorTableControl table;
    CurrentColorControl current;
    VolumeControl foreLevel;
    VolumeControl backLevel;
    int32_t level = 0;  // the colour table's red
};

namespace {

constexpr ID_VALUE kRules[] = {
    {IDC_COLORING_SINGLE, ColoringSingle},
    {IDC_COLORING_FADE, ColoringFade},
    {IDC_COLORING_STRIPES, ColoringStripes},
    {IDC_COLORING_RANDOM, ColoringRandom},
    {0, 0},
};

// A colour's level as a slider value, and back.
void ExchangeLevel(UpdateControl& exchange, int id, uint32_t& colour) {
    double level = ColorLevel(colour);
    exchange.Volume(id, level);
    const uint32_t kept = static_cast<uint32_t>(ColorPanelRules::LoadedLevel(VolumeScale::WholeNumber(level)));
    colour = (colour & 0x00FFFFFFu) | kept << 24;
}

}  // namespace

ColorPanel::ColorPanel()
    : Panel(IDD_COLOR_PANEL, "Panel\\Color", Panel::Colour), m_(std::make_unique<ColorPanelMember>()) {}

ColorPanel::~ColorPanel() = default;

void ColorPanel::ExchangeSettings(Registry& store) {
    Panel::ExchangeSettings(store);
    store.ExchangeInt("Level", m_->level, 0);
    if (store.IsLoading())
        m_->level = ColorPanelRules::LoadedLevel(m_->level);
}

LRESULT ColorPanel::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_TOOLCHANGED:
            UpdateData(true);
            InvalidateRect(Item(IDC_CURRENT_COLOR), nullptr, TRUE);
            return TRUE;
        case WM_VSCROLL:
            // The trackbar moved: the table shows the new hidden red.
            Store();
            m_->table.SetLevel(m_->level);
            return TRUE;
        default:
            return Panel::WindowProc(message, wParam, lParam);
    }
}

void ColorPanel::OnInitDialog() {
    m_->table.AttachItem(Handle(), IDC_COLOR_TABLE);
    m_->table.SetLevel(m_->level);
    m_->table.Fit();
    m_->current.AttachItem(Handle(), IDC_CURRENT_COLOR);
    for (VolumeControl* slider : {&m_->foreLevel, &m_->backLevel}) {
        slider->AttachItem(Handle(), slider == &m_->foreLevel ? IDC_FORE_LEVEL : IDC_BACK_LEVEL);
        slider->SetKind(VolumeScale::KindWhole);
        slider->SetRange(0, ColorPanelRules::kMostLevel);
    }
    SendMessageA(Item(IDC_COLOR_LEVEL), TBM_SETRANGE, FALSE, MAKELPARAM(0, ColorPanelRules::kMostLevel));
    SetButtonPicture(IDC_COLORING_SINGLE, IDB_COLORING_SINGLE);
    SetButtonPicture(IDC_COLORING_FADE, IDB_COLORING_FADE);
    SetButtonPicture(IDC_COLORING_STRIPES, IDB_COLORING_STRIPES);
    SetButtonPicture(IDC_COLORING_RANDOM, IDB_COLORING_RANDOM);
    SetButtonPicture(IDC_COLOR_DETAIL, IDB_DETAIL);
}

void ColorPanel::DoDataExchange(UpdateControl& exchange) {
    COLORSETTING setting = GetColorSetting(-1);
    exchange.TrackPosition(IDC_COLOR_LEVEL, m_->level);
    ExchangeLevel(exchange, IDC_FORE_LEVEL, setting.Color[0]);
    ExchangeLevel(exchange, IDC_BACK_LEVEL, setting.Color[1]);
    exchange.Radio(kRules, setting.Coloring);
    const COLORENABLING on = ColorPanelRules::Enabling(CurrentToolNumber(), setting.Coloring);
    exchange.Enable(IDC_CURRENT_COLOR, on.current);
    exchange.Enable(IDC_BACK_LEVEL, on.backgroundLevel);
    if (!exchange.ToControls()) {
        m_->level = ColorPanelRules::LoadedLevel(m_->level);
        SetColorSetting(setting, -1);
    }
}

void ColorPanel::OnControlNotify(int id, int code, LPARAM data) {
    if (code != OwnerDrawnControl::kValueSet)
        return;
    if (id == IDC_COLOR_TABLE)
        PickColour(static_cast<uint32_t>(data));
    else
        Store();
}

void ColorPanel::OnCommand(int id, int code, HWND control) {
    if (IdValueTable::ValueOf(kRules, id) >= 0) {
        Store();
        UpdateData(true);
        return;
    }
    if (id == IDC_COLOR_DETAIL) {
        ColorDetail detail;
        detail.RunModal(Handle());
        return;
    }
    Panel::OnCommand(id, code, control);
}

void ColorPanel::PickColour(uint32_t colour) {
    COLORSETTING setting = GetColorSetting(-1);
    ColorPanelRules::ApplyPickedColour(setting, colour);
    SetColorSetting(setting, -1);
    InvalidateRect(Item(IDC_CURRENT_COLOR), nullptr, TRUE);
}

// Every control read back into the current tool's setting.
void ColorPanel::Store() {
    UpdateData(false);
}

}  // namespace app
