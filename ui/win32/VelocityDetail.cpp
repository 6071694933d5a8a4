#include "ui/win32/VelocityDetail.h"

#include "engine/SPRAYSTYLE.h"
#include "ui/IdValueTable.h"
#include "ui/VolumeScale.h"
#include "ui/win32/UpdateControl.h"
#include "ui/win32/VolumeControl.h"

namespace app {

class VelocityDetailMember {
  public:
    VolumeControl wiggle;
    SPRAYSTYLE edited;  // the fields below, copied from the current style
};

namespace {

constexpr ID_VALUE kModes[] = {
    {IDC_VELOCITY_LEFT, VelocityRotateLeft},
    {IDC_VELOCITY_RIGHT, VelocityRotateRight},
    {IDC_VELOCITY_BACK_AND_FORTH, VelocityBackAndForth},
    {IDC_VELOCITY_RANDOM, VelocityRandom},
    {0, 0},
};

}  // namespace

VelocityDetail::VelocityDetail(double limit, const LIMITRANGE& range)
    : LimitDialog(limit, range, IDD_VELOCITY_DETAIL), m_(std::make_unique<VelocityDetailMember>()) {}

VelocityDetail::~VelocityDetail() = default;

void VelocityDetail::OnInitDialog() {
    m_->wiggle.AttachItem(Handle(), IDC_VELOCITY_WIGGLE);
    m_->wiggle.SetKind(VolumeScale::KindPercent);
    m_->wiggle.SetRange(0.0, 1.0);
    SetButtonPicture(IDC_VELOCITY_LEFT, IDB_VELOCITY_LEFT);
    SetButtonPicture(IDC_VELOCITY_RIGHT, IDB_VELOCITY_RIGHT);
    SetButtonPicture(IDC_VELOCITY_BACK_AND_FORTH, IDB_VELOCITY_BACK_AND_FORTH);
    SetButtonPicture(IDC_VELOCITY_RANDOM, IDB_VELOCITY_RANDOM);
    m_->edited = GetSprayStyle(-1);
}

void VelocityDetail::DoDataExchange(UpdateControl& exchange) {
    LimitDialog::DoDataExchange(exchange);
    SPRAYSTYLE& s = m_->edited;
    exchange.Volume(IDC_VELOCITY_WIGGLE, s.VelocityWiggle);
    exchange.Double(IDC_VELOCITY_WIDTH, s.VelocityWidth);
    exchange.Radio(kModes, s.VelocityMode);
    exchange.Double(IDC_VELOCITY_ROTATION, s.VelocityRotationSpeed);
    // A random spread has no rotation to set.
    exchange.Enable(IDC_VELOCITY_ROTATION, s.VelocityMode != VelocityRandom);
}

void VelocityDetail::OnCommand(int id, int code, HWND control) {
    if (IdValueTable::ValueOf(kModes, id) >= 0) {
        UpdateData(false);
        UpdateData(true);
        return;
    }
    LimitDialog::OnCommand(id, code, control);
}

CHECKRESULT VelocityDetail::CheckValues() const {
    const SPRAYSTYLE& s = m_->edited;
    return ParameterChecks::Velocity(EditedLimit(), Range(), s.VelocityWidth, s.VelocityRotationSpeed);
}

void VelocityDetail::Commit() {
    SPRAYSTYLE style = GetSprayStyle(-1);
    style.VelocityWiggle = m_->edited.VelocityWiggle;
    style.VelocityWidth = m_->edited.VelocityWidth;
    style.VelocityRotationSpeed = m_->edited.VelocityRotationSpeed;
    style.VelocityMode = m_->edited.VelocityMode;
    SetSprayStyle(-1, style);
}

}  // namespace app
