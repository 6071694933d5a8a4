#pragma once

#include <cstdint>

#include "engine/SPRAYSTYLE.h"  // kToolCount

namespace app {

// Tool numbers; they are also the engine's drawing modes.
enum ToolNumber : int32_t {
    ToolNumberPaint = 0,
    ToolNumberErase = 1,
    ToolNumberBlur = 2,
};

// What each tool's settings mean: whether its red, green and blue bytes are used, whether its
// levels are, and whether it keeps a spray style.
struct TOOLINFO {
    const char* name;
    bool hasColor;
    bool hasLevel;
    bool hasSpray;
};

// The fixed table, indexed by tool number (0 ... kToolCount - 1).
const TOOLINFO& ToolInfo(int32_t tool);

inline bool IsToolNumber(int32_t tool) noexcept {
    return tool >= 0 && tool < kToolCount;
}

}  // namespace app
