#include "ui/win32/SplitDialog.h"

#include "engine/SPRAYSTYLE.h"
#include "resources/ResourceIds.h"
#include "ui/IdValueTable.h"
#include "ui/ParameterChecks.h"
#include "ui/VolumeScale.h"
#include "ui/win32/AngleControl.h"
#include "ui/win32/UpdateControl.h"
#include "ui/win32/VolumeControl.h"

namespace app {

class SplitDialogMember {
  public:
    AngleControl angle1;
    AngleControl angle2;
    VolumeControl wiggle;
    VolumeControl rate;
    SPRAYSTYLE edited;  // the split fields, copied from the current style
};

namespace {

constexpr ID_VALUE kModes[] = {
    {IDC_SPLIT_ONE, SplitOneBranch},
    {IDC_SPLIT_FORK, SplitFork},
    {IDC_SPLIT_TWO, SplitTwoBranches},
    {0, 0},
};

void EnableControls(UpdateControl& exchange, const SPLITENABLING& on) {
    for (int id : {IDC_SPLIT_ONE, IDC_SPLIT_FORK, IDC_SPLIT_TWO, IDC_SPLIT_STEP1, IDC_SPLIT_ANGLE1, IDC_SPLIT_WIGGLE,
                   IDC_SPLIT_GENERATIONS, IDC_SPLIT_RATE})
        exchange.Enable(id, on.common);
    exchange.Enable(IDC_SPLIT_STEP2, on.secondStep);
    exchange.Enable(IDC_SPLIT_LAG, on.secondStep);
    exchange.Enable(IDC_SPLIT_ANGLE2, on.secondAngle);
}

}  // namespace

SplitDialog::SplitDialog() : Dialog(IDD_SPLIT), m_(std::make_unique<SplitDialogMember>()) {}

SplitDialog::~SplitDialog() = default;

void SplitDialog::OnInitDialog() {
    m_->angle1.AttachItem(Handle(), IDC_SPLIT_ANGLE1);
    m_->angle1.SetSignedDisplay(true);
    m_->angle2.AttachItem(Handle(), IDC_SPLIT_ANGLE2);
    m_->angle2.SetSignedDisplay(true);
    m_->wiggle.AttachItem(Handle(), IDC_SPLIT_WIGGLE);
    m_->wiggle.SetKind(VolumeScale::KindDegrees);
    m_->wiggle.SetRange(0.0, 360.0);
    m_->rate.AttachItem(Handle(), IDC_SPLIT_RATE);
    m_->rate.SetKind(VolumeScale::KindPercent);
    m_->rate.SetRange(0.0, 1.0);
    SetButtonPicture(IDC_SPLIT_ONE, IDB_SPLIT_ONE);
    SetButtonPicture(IDC_SPLIT_FORK, IDB_SPLIT_FORK);
    SetButtonPicture(IDC_SPLIT_TWO, IDB_SPLIT_TWO);
    m_->edited = GetSprayStyle(-1);
}

void SplitDialog::DoDataExchange(UpdateControl& exchange) {
    SPRAYSTYLE& s = m_->edited;
    exchange.Check(IDC_SPLIT_USE, s.UseSplit);
    exchange.Radio(kModes, s.SplitMode);
    exchange.Int(IDC_SPLIT_STEP1, s.SplitStep1);
    exchange.Angle(IDC_SPLIT_ANGLE1, s.SplitAngle1);
    exchange.Int(IDC_SPLIT_STEP2, s.SplitStep2);
    exchange.Angle(IDC_SPLIT_ANGLE2, s.SplitAngle2);
    exchange.Int(IDC_SPLIT_LAG, s.SplitLag);
    exchange.Int(IDC_SPLIT_GENERATIONS, s.SplitGenerations);
    exchange.Volume(IDC_SPLIT_WIGGLE, s.SplitAngleWiggle);
    exchange.Volume(IDC_SPLIT_RATE, s.SplitRate);
    EnableControls(exchange, ParameterChecks::SplitEnabling(s.UseSplit, s.SplitMode));
    if (exchange.ToControls())
        ShowWindow(Item(IDC_SPLIT_RATE_NOTE),
                   ParameterChecks::SplitRateNote(s.UseSplit, s.SplitRate) ? SW_SHOW : SW_HIDE);
}

// The rate's slider moved: the note follows it.
void SplitDialog::OnControlNotify(int id, int code, LPARAM /*data*/) {
    if (id != IDC_SPLIT_RATE || code != OwnerDrawnControl::kValueSet)
        return;
    m_->edited.SplitRate = m_->rate.Value();
    ShowWindow(Item(IDC_SPLIT_RATE_NOTE),
               ParameterChecks::SplitRateNote(m_->edited.UseSplit, m_->edited.SplitRate) ? SW_SHOW : SW_HIDE);
}

void SplitDialog::OnCommand(int id, int code, HWND control) {
    if (id == IDC_SPLIT_USE || IdValueTable::ValueOf(kModes, id) >= 0) {
        UpdateData(false);
        UpdateData(true);
        return;
    }
    Dialog::OnCommand(id, code, control);
}

bool SplitDialog::Check() {
    SPRAYSTYLE style = GetSprayStyle(-1);
    const SPRAYSTYLE& s = m_->edited;
    const CHECKRESULT result =
        ParameterChecks::Split({s.SplitStep1, s.SplitStep2, s.SplitLag, s.SplitGenerations}, style.Life);
    if (!result.passes)
        return Refuse(ParameterChecks::Message(result));
    style.UseSplit = s.UseSplit;
    style.SplitMode = s.SplitMode;
    style.SplitStep1 = s.SplitStep1;
    style.SplitStep2 = s.SplitStep2;
    style.SplitAngle1 = s.SplitAngle1;
    style.SplitAngle2 = s.SplitAngle2;
    style.SplitLag = s.SplitLag;
    style.SplitGenerations = s.SplitGenerations;
    style.SplitAngleWiggle = s.SplitAngleWiggle;
    style.SplitRate = s.SplitRate;
    SetSprayStyle(-1, style);
    return true;
}

}  // namespace app
