#pragma once

namespace app {

class ToolBase;
struct ToolEvent;

// Guards one event dispatch: when an exception leaves the tool's handling of the event, the
// event becomes a cancel and is handed to the tool again, so that a stroke never outlives the
// error that is on its way to the user.
class ToolCanceler {
  public:
    ToolCanceler(ToolBase* tool, ToolEvent& event) noexcept;
    ~ToolCanceler();
    ToolCanceler(const ToolCanceler&) = delete;
    ToolCanceler& operator=(const ToolCanceler&) = delete;

  private:
    ToolBase* tool_;
    ToolEvent& event_;
    int exceptionsAtStart_;
};

}  // namespace app
