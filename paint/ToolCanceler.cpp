#include "paint/ToolCanceler.h"

#include <exception>

#include "paint/ToolBase.h"
#include "paint/ToolEvent.h"

namespace app {

ToolCanceler::ToolCanceler(ToolBase* tool, ToolEvent& event) noexcept
    : tool_(tool), event_(event), exceptionsAtStart_(std::uncaught_exceptions()) {}

ToolCanceler::~ToolCanceler() {
    if (!tool_ || std::uncaught_exceptions() <= exceptionsAtStart_)
        return;
    event_.code = ToolEventCancel;
    // The first error is already on its way; a second one from the cancel must not end the
    // program (nor start another cancel), so it is dropped.
    try {
        tool_->OnEvent(event_);
    } catch (...) {
    }
}

}  // namespace app
