#include "ui/win32/ColorDetail.h"

#include "paint/ColorSettings.h"
#include "resources/ResourceIds.h"
#include "ui/ParameterChecks.h"
#include "ui/win32/UpdateControl.h"

namespace app {

class ColorDetailMember {
  public:
    int32_t period = 0;  // the stripe period being edited, turns
};

ColorDetail::ColorDetail() : Dialog(IDD_COLOR_DETAIL), m_(std::make_unique<ColorDetailMember>()) {}

ColorDetail::~ColorDetail() = default;

void ColorDetail::OnInitDialog() {
    m_->period = GetColorSetting(-1).CycleLength;
}

void ColorDetail::DoDataExchange(UpdateControl& exchange) {
    exchange.Int(IDC_CYCLE_LENGTH, m_->period);
}

bool ColorDetail::Check() {
    const CHECKRESULT result = ParameterChecks::StripePeriod(m_->period);
    if (!result.passes)
        return Refuse(ParameterChecks::Message(result));
    COLORSETTING setting = GetColorSetting(-1);
    setting.CycleLength = m_->period;
    SetColorSetting(setting, -1);
    return true;
}

}  // namespace app
