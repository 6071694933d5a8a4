#pragma once

#include "paint/ToolFreeHand.h"

namespace app {

// The free-hand spray as tool "Paint"; what differs between the tools is the engine's drawing
// mode and the style and colouring kept for each.
class ToolPaint : public ToolFreeHand {
  public:
    ToolPaint() = default;
    ~ToolPaint() override;
};

}  // namespace app
