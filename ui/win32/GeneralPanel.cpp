#include "ui/win32/GeneralPanel.h"

#include <algorithm>

#include "engine/WORLD_SETTINGS.h"
#include "resources/ResourceIds.h"
#include "settings/Registry.h"
#include "ui/IdValueTable.h"
#include "ui/SprayPanelTable.h"
#include "ui/VolumeScale.h"
#include "ui/win32/AngleControl.h"
#include "ui/win32/LimitDialog.h"
#include "ui/win32/UpdateControl.h"
#include "ui/win32/VolumeControl.h"

namespace app {

class GeneralPanelMember {
  public:
    AngleControl direction;
    VolumeControl gravity;
    VolumeControl lively;
    double gravityLimit = kGravityLimitDefault;
};

namespace {

constexpr ID_VALUE kGravityKinds[] = {
    {IDC_GRAVITY_PARALLEL, GravityParallel},
    {IDC_GRAVITY_RADIAL, GravityRadial},
    {0, 0},
};

}  // namespace

GeneralPanel::GeneralPanel()
    : Panel(IDD_GENERAL_PANEL, "Panel\\General", Panel::General), m_(std::make_unique<GeneralPanelMember>()) {}

GeneralPanel::~GeneralPanel() = default;

void GeneralPanel::ExchangeSettings(Registry& store) {
    Panel::ExchangeSettings(store);
    store.SelectSection("Panel\\General\\Limit");
    store.ExchangeDouble("Gravity", m_->gravityLimit, kGravityLimitDefault);
    // Used as loaded, but never beyond the largest limit, which keeps the slider usable.
    if (store.IsLoading())
        m_->gravityLimit = std::min(m_->gravityLimit, kGravityLimitMaximum);
}

void GeneralPanel::OnInitDialog() {
    m_->direction.AttachItem(Handle(), IDC_GRAVITY_ANGLE);
    m_->gravity.AttachItem(Handle(), IDC_GRAVITY);
    m_->gravity.SetKind(VolumeScale::KindValue);
    m_->lively.AttachItem(Handle(), IDC_LIVELY);
    m_->lively.SetKind(VolumeScale::KindPercent);
    m_->lively.SetRange(0.0, 1.0);
    SetButtonPicture(IDC_GRAVITY_PARALLEL, IDB_GRAVITY_PARALLEL);
    SetButtonPicture(IDC_GRAVITY_RADIAL, IDB_GRAVITY_RADIAL);
    SetButtonPicture(IDC_GRAVITY_LIMIT, IDB_DETAIL);
}

void GeneralPanel::DoDataExchange(UpdateControl& exchange) {
    WORLD_SETTINGS world = GetWorldSettings();
    Vector2 gravity = {world.GravityX, world.GravityY};
    exchange.Vector(IDC_GRAVITY, IDC_GRAVITY_ANGLE, gravity);
    exchange.Volume(IDC_LIVELY, world.Lively);
    exchange.Radio(kGravityKinds, world.GravityType);
    if (exchange.ToControls()) {
        m_->gravity.SetRange(0.0, m_->gravityLimit);
        return;
    }
    world.GravityX = gravity.x;
    world.GravityY = gravity.y;
    SetWorldSettings(world);
}

void GeneralPanel::OnControlNotify(int id, int code, LPARAM /*data*/) {
    if (code == OwnerDrawnControl::kValueSet && (id == IDC_GRAVITY || id == IDC_GRAVITY_ANGLE || id == IDC_LIVELY))
        UpdateData(false);
}

void GeneralPanel::OnCommand(int id, int code, HWND control) {
    if (IdValueTable::ValueOf(kGravityKinds, id) >= 0) {
        UpdateData(false);
        return;
    }
    if (id == IDC_GRAVITY_LIMIT) {
        LimitDialog limit(m_->gravityLimit, {kGravityLimitMinimum, kGravityLimitMaximum});
        limit.RunModal(Handle());
        m_->gravityLimit = limit.CommittedLimit();
        UpdateData(true);
        return;
    }
    Panel::OnCommand(id, code, control);
}

}  // namespace app
