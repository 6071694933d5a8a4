#include "ui/win32/SprayPanel.h"

#include "engine/SPRAYSTYLE.h"
#include "resources/ResourceIds.h"
#include "settings/Registry.h"
#include "ui/SprayPanelTable.h"
#include "ui/win32/AngleControl.h"
#include "ui/win32/AppMessages.h"
#include "ui/win32/GravityDetail.h"
#include "ui/win32/RepulsionDetail.h"
#include "ui/win32/SpinDialog.h"
#include "ui/win32/SplitDialog.h"
#include "ui/win32/UpdateControl.h"
#include "ui/win32/VelocityDetail.h"
#include "ui/win32/ViscosityDetail.h"
#include "ui/win32/VolumeControl.h"

namespace app {

using Table = SprayPanelTable;

class SprayPanelMember {
  public:
    VolumeControl sliders[Table::kRows];
    AngleControl direction;
    double limits[Table::kRows] = {};
};

namespace {

constexpr int kDetailButtons[] = {IDC_REPULSION_DETAIL,     IDC_ATTRACTION_DETAIL,    IDC_VISCOSITY_DETAIL,
                                  IDC_VELOCITY_DETAIL,      IDC_LIMITED_SPEED_DETAIL, IDC_COUNT_DETAIL,
                                  IDC_PARTICLE_SIZE_DETAIL, IDC_LIFE_DETAIL,          IDC_THROWING_DETAIL};

std::unique_ptr<LimitDialog> DetailDialog(int32_t detail, double limit, const LIMITRANGE& range) {
    switch (detail) {
        case DetailRepulsion:
            return std::make_unique<RepulsionDetail>(limit, range);
        case DetailAttraction:
            return std::make_unique<GravityDetail>(limit, range);
        case DetailViscosity:
            return std::make_unique<ViscosityDetail>(limit, range);
        case DetailVelocity:
            return std::make_unique<VelocityDetail>(limit, range);
        default:
            return std::make_unique<LimitDialog>(limit, range);
    }
}

}  // namespace

SprayPanel::SprayPanel()
    : Panel(IDD_SPRAY_PANEL, "Panel\\Spray", Panel::Spray), m_(std::make_unique<SprayPanelMember>()) {
    Table::DefaultLimits(m_->limits);
}

SprayPanel::~SprayPanel() = default;

void SprayPanel::ExchangeSettings(Registry& store) {
    Panel::ExchangeSettings(store);
    store.SelectSection("Panel\\Spray\\Limit");
    for (int32_t row = 0; row < Table::kRows; ++row) {
        const SPRAYSLIDER& slider = Table::Row(row);
        if (slider.limitKey)
            store.ExchangeDouble(slider.limitKey, m_->limits[row], slider.defaultLimit);
    }
    if (store.IsLoading())
        Table::RaiseLoadedLimits(m_->limits);
}

LRESULT SprayPanel::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_TOOLCHANGED || message == WM_SPRAYSTYLECHANGED) {
        UpdateData(true);
        return TRUE;
    }
    return Panel::WindowProc(message, wParam, lParam);
}

void SprayPanel::OnInitDialog() {
    for (int32_t row = 0; row < Table::kRows; ++row) {
        m_->sliders[row].AttachItem(Handle(), Table::Row(row).control);
        m_->sliders[row].SetKind(Table::Row(row).kind);
    }
    m_->direction.AttachItem(Handle(), IDC_VELOCITY_ANGLE);
    for (int button : kDetailButtons)
        SetButtonPicture(button, IDB_DETAIL);
    SetButtonPicture(IDC_USE_SPIN, IDB_SPIN);
    SetButtonPicture(IDC_USE_SPLIT, IDB_SPLIT);
}

void SprayPanel::DoDataExchange(UpdateControl& exchange) {
    SPRAYSTYLE style = GetSprayStyle(-1);
    for (int32_t row = 0; row < Table::kRows; ++row) {
        if (row == Table::kVelocityRow)
            continue;
        double value = Table::Value(style, row);
        exchange.Volume(Table::Row(row).control, value);
        if (!exchange.ToControls())
            Table::SetValue(style, row, value);
    }
    exchange.Vector(IDC_VELOCITY, IDC_VELOCITY_ANGLE, style.Velocity);
    exchange.Check(IDC_USE_LIMITED_SPEED, style.UseLimitedSpeed);
    exchange.Enable(IDC_LIMITED_SPEED, style.UseLimitedSpeed);
    exchange.Check(IDC_USE_SPIN, style.UseSpin);
    exchange.Check(IDC_USE_SPLIT, style.UseSplit);
    if (!exchange.ToControls()) {
        SetSprayStyle(-1, style);
        return;
    }
    for (int32_t row = 0; row < Table::kRows; ++row)
        m_->sliders[row].SetRange(Table::Lower(row), m_->limits[row]);
}

void SprayPanel::OnControlNotify(int id, int code, LPARAM data) {
    if (code == OwnerDrawnControl::kDrawValue && id == IDC_COUNT) {
        DrawCount(data);
        return;
    }
    if (code == OwnerDrawnControl::kValueSet)
        UpdateData(false);
}

void SprayPanel::OnCommand(int id, int code, HWND control) {
    switch (id) {
        case IDC_USE_LIMITED_SPEED:
            UpdateData(false);
            UpdateData(true);
            return;
        case IDC_USE_SPIN: {
            SpinDialog spin;
            spin.RunModal(Handle());
            UpdateData(true);
            return;
        }
        case IDC_USE_SPLIT: {
            SplitDialog split;
            split.RunModal(Handle());
            UpdateData(true);
            return;
        }
        default:
            break;
    }
    if (const int32_t row = Table::RowOfButton(id); row >= 0) {
        OpenDetail(row);
        return;
    }
    Panel::OnCommand(id, code, control);
}

void SprayPanel::OpenDetail(int32_t row) {
    const SPRAYSLIDER& slider = Table::Row(row);
    const std::unique_ptr<LimitDialog> dialog = DetailDialog(slider.detail, m_->limits[row], Table::LimitRange(row));
    dialog->RunModal(Handle());
    m_->limits[row] = dialog->CommittedLimit();
    UpdateData(true);
}

// "%.0f個" in the slider's value place.
void SprayPanel::DrawCount(LPARAM data) {
    auto* request = reinterpret_cast<VOLUMETEXT*>(data);
    const String text = String::Format(String::Load(IDS_FORMAT_COUNT).CStr(), request->value);
    DrawTextA(request->context, text.CStr(), -1, &request->rect, DT_RIGHT | DT_SINGLELINE | DT_VCENTER);
}

}  // namespace app
