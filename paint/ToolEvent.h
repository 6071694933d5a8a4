#pragma once

#include <cstdint>

namespace app {

class Core;
class Image;

// Event codes that the view sends to the current tool.
enum ToolEventCode : int32_t {
    ToolEventMouseMove = 1,
    ToolEventLeftDown = 4,
    ToolEventLeftUp = 6,
    ToolEventLeftDoubleClick = 7,
    ToolEventRightDown = 8,
    ToolEventKeyDown = 9,
    ToolEventKeyUp = 10,
    ToolEventCancel = 11,
    ToolEventTurn = 14,
};

// One event for a tool: where the cursor is in image pixels, what it paints on and with.
struct ToolEvent {
    double x;
    double y;
    Image* image;
    Core* engine;
    int32_t code;
    int32_t value;  // the virtual-key code for key events, else 0
};

}  // namespace app
