#include "ui/win32/LimitDialog.h"

#include "ui/win32/UpdateControl.h"

namespace app {

class LimitDialogMember {
  public:
    double edited = 0.0;
    double committed = 0.0;
    LIMITRANGE range = {0.0, 0.0};
    bool hasLimitEdit = true;
};

LimitDialog::LimitDialog(double limit, const LIMITRANGE& range, int32_t templateId, bool hasLimitEdit)
    : Dialog(templateId), m_(std::make_unique<LimitDialogMember>()) {
    m_->edited = m_->committed = limit;
    m_->range = range;
    m_->hasLimitEdit = hasLimitEdit;
}

LimitDialog::~LimitDialog() = default;

double LimitDialog::CommittedLimit() const noexcept {
    return m_->committed;
}

void LimitDialog::DoDataExchange(UpdateControl& exchange) {
    if (m_->hasLimitEdit)
        exchange.Double(IDC_LIMIT, m_->edited);
}

bool LimitDialog::Check() {
    const CHECKRESULT result = CheckValues();
    if (!result.passes)
        return Refuse(ParameterChecks::Message(result));
    m_->committed = m_->edited;
    Commit();
    return true;
}

CHECKRESULT LimitDialog::CheckValues() const {
    return m_->hasLimitEdit ? ParameterChecks::Limit(m_->edited, m_->range) : CHECKRESULT{true, 0, 0.0, 0.0};
}

void LimitDialog::Commit() {}

double LimitDialog::EditedLimit() const noexcept {
    return m_->edited;
}

const LIMITRANGE& LimitDialog::Range() const noexcept {
    return m_->range;
}

bool LimitDialog::HasLimitEdit() const noexcept {
    return m_->hasLimitEdit;
}

}  // namespace app
