#pragma once

#include "paint/ToolFreeHand.h"

namespace app {

// The free-hand spray as tool "Blur"; what differs between the tools is the engine's drawing
// mode and the style and colouring kept for each.
class ToolBlur : public ToolFreeHand {
  public:
    ToolBlur() = default;
    ~ToolBlur() override;
};

}  // namespace app
