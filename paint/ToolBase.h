#pragma once

#include "paint/ToolEvent.h"

namespace app {

// Root of the tools: ignores every event and never captures the mouse.
class ToolBase {
  public:
    ToolBase() = default;
    virtual ~ToolBase();
    ToolBase(const ToolBase&) = delete;
    ToolBase& operator=(const ToolBase&) = delete;

    virtual bool IsCapturing() const;
    virtual bool IsBusy() const;
    virtual void OnEvent(ToolEvent& event);
};

}  // namespace app
