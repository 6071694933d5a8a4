#include "ui/win32/NameDialog.h"

#include "resources/ResourceIds.h"
#include "ui/win32/UpdateControl.h"

namespace app {

class NameDialogMember {
  public:
    String text;
};

NameDialog::NameDialog(const String& name) : Dialog(IDD_PRESET_NAME), m_(std::make_unique<NameDialogMember>()) {
    m_->text = name;
}

NameDialog::~NameDialog() = default;

const String& NameDialog::Name() const noexcept {
    return m_->text;
}

void NameDialog::DoDataExchange(UpdateControl& exchange) {
    exchange.Text(IDC_PRESET_NAME, m_->text);
}

bool NameDialog::Check() {
    return !m_->text.IsEmpty() || Refuse(String::Load(IDS_PRESET_NAME_EMPTY));
}

}  // namespace app
