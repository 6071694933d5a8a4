#include "ui/win32/SpinDialog.h"

#include "engine/SPRAYSTYLE.h"
#include "resources/ResourceIds.h"
#include "ui/ParameterChecks.h"
#include "ui/VolumeScale.h"
#include "ui/win32/AngleControl.h"
#include "ui/win32/UpdateControl.h"
#include "ui/win32/VolumeControl.h"

namespace app {

class SpinDialogMember {
  public:
    AngleControl angle;
    VolumeControl wiggle;
    SPRAYSTYLE edited;  // the spin fields, copied from the current style
};

SpinDialog::SpinDialog() : Dialog(IDD_SPIN), m_(std::make_unique<SpinDialogMember>()) {}

SpinDialog::~SpinDialog() = default;

void SpinDialog::OnInitDialog() {
    m_->angle.AttachItem(Handle(), IDC_SPIN_ANGLE);
    m_->angle.SetSignedDisplay(true);
    m_->wiggle.AttachItem(Handle(), IDC_SPIN_WIGGLE);
    m_->wiggle.SetKind(VolumeScale::KindDegrees);
    m_->wiggle.SetRange(0.0, 360.0);
    m_->edited = GetSprayStyle(-1);
}

void SpinDialog::DoDataExchange(UpdateControl& exchange) {
    SPRAYSTYLE& s = m_->edited;
    exchange.Check(IDC_SPIN_USE, s.UseSpin);
    exchange.Int(IDC_SPIN_STEP, s.SpinStep);
    exchange.Angle(IDC_SPIN_ANGLE, s.SpinAngle);
    exchange.Volume(IDC_SPIN_WIGGLE, s.SpinAngleWiggle);
    for (int id : {IDC_SPIN_STEP, IDC_SPIN_ANGLE, IDC_SPIN_WIGGLE})
        exchange.Enable(id, s.UseSpin);
}

void SpinDialog::OnCommand(int id, int code, HWND control) {
    if (id == IDC_SPIN_USE) {
        UpdateData(false);
        UpdateData(true);
        return;
    }
    Dialog::OnCommand(id, code, control);
}

bool SpinDialog::Check() {
    SPRAYSTYLE style = GetSprayStyle(-1);
    const CHECKRESULT result = ParameterChecks::Spin(m_->edited.SpinStep, style.Life);
    if (!result.passes)
        return Refuse(ParameterChecks::Message(result));
    style.UseSpin = m_->edited.UseSpin;
    style.SpinStep = m_->edited.SpinStep;
    style.SpinAngle = m_->edited.SpinAngle;
    style.SpinAngleWiggle = m_->edited.SpinAngleWiggle;
    SetSprayStyle(-1, style);
    return true;
}

}  // namespace app
