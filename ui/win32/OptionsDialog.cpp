#include "ui/win32/OptionsDialog.h"

#include "host/Options.h"
#include "resources/ResourceIds.h"
#include "ui/ParameterChecks.h"
#include "ui/win32/AppMessages.h"
#include "ui/win32/Broadcast.h"
#include "ui/win32/UpdateControl.h"

namespace app {

class OptionsDialogMember {
  public:
    int32_t turnInterval = 0;
    int32_t displayingInterval = 0;
    int32_t historyCount = 0;
    bool changed = false;
};

OptionsDialog::OptionsDialog() : Dialog(IDD_OPTIONS), m_(std::make_unique<OptionsDialogMember>()) {}

OptionsDialog::~OptionsDialog() = default;

void OptionsDialog::OnInitDialog() {
    const OPTIONS options = GetOptions();
    m_->turnInterval = options.turnInterval;
    m_->displayingInterval = options.displayingInterval;
    m_->historyCount = options.historyMax;
    m_->changed = false;
}

void OptionsDialog::DoDataExchange(UpdateControl& exchange) {
    exchange.Int(IDC_TURN_INTERVAL, m_->turnInterval);
    exchange.Int(IDC_DISPLAYING_INTERVAL, m_->displayingInterval);
    exchange.Int(IDC_HISTORY_COUNT, m_->historyCount);
    exchange.Enable(IDC_APPLY, m_->changed);
}

void OptionsDialog::OnCommand(int id, int code, HWND control) {
    if (id == IDC_TURN_INTERVAL || id == IDC_DISPLAYING_INTERVAL || id == IDC_HISTORY_COUNT) {
        // Only typing counts: an edit that merely took the focus has changed nothing.
        if (code == EN_CHANGE) {
            m_->changed = true;
            EnableWindow(Item(IDC_APPLY), TRUE);
        }
        return;
    }
    Dialog::OnCommand(id, code, control);
}

bool OptionsDialog::Check() {
    if (!m_->changed)
        return true;
    const CHECKRESULT result = ParameterChecks::Options(m_->turnInterval, m_->displayingInterval, m_->historyCount);
    if (!result.passes)
        return Refuse(ParameterChecks::Message(result));
    OPTIONS options = GetOptions();
    options.turnInterval = m_->turnInterval;
    options.displayingInterval = m_->displayingInterval;
    options.historyMax = m_->historyCount;
    SetOptions(options);
    Broadcast(WM_OPTIONSCHANGED, 0, 0);
    return true;
}

}  // namespace app
