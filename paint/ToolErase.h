#pragma once

#include "paint/ToolFreeHand.h"

namespace app {

// The free-hand spray as tool "Erase"; what differs between the tools is the engine's drawing
// mode and the style and colouring kept for each.
class ToolErase : public ToolFreeHand {
  public:
    ToolErase() = default;
    ~ToolErase() override;
};

}  // namespace app
