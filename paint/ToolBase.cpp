#include "paint/ToolBase.h"

namespace app {

ToolBase::~ToolBase() = default;

bool ToolBase::IsCapturing() const {
    return false;
}

bool ToolBase::IsBusy() const {
    return false;
}

void ToolBase::OnEvent(ToolEvent&) {}

}  // namespace app
