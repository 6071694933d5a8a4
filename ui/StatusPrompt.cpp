#include "ui/StatusPrompt.h"

#include "resources/ResourceIds.h"

namespace app {

class StatusPromptMember {
  public:
    int32_t shownId = 0;
};

StatusPrompt::StatusPrompt() : m_(std::make_unique<StatusPromptMember>()) {}

StatusPrompt::~StatusPrompt() = default;

int32_t StatusPrompt::MenuSelectId(int32_t itemId, bool isPopup, bool menuClosing) {
    return isPopup || menuClosing ? IDS_NO_COMMAND : itemId;
}

bool StatusPrompt::Show(int32_t id, String* text) {
    if (id == m_->shownId)
        return false;
    m_->shownId = id;
    // The empty id is not looked up: what the platform gives for a missing string is not relied on.
    *text = id == IDS_NO_COMMAND ? String() : String::Load(id).StatusText();
    return true;
}

int32_t StatusPrompt::ShownId() const {
    return m_->shownId;
}

}  // namespace app
