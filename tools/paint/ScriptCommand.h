#pragma once

#include <cstdint>
#include <string>

namespace tools {

enum class Verb {
    Down,
    Move,
    Up,
    Turn,
    Idle,
    Tool,
    Undo,
    Redo,
    Clear,
    Erase,
    Pause,
    Style,
    Color,
    World,
    Option,
    Preset
};

// One line of a painting script, checked for form but not yet for meaning (keys and values are
// judged when the command runs, against the settings they name).
struct ScriptCommand {
    int32_t line = 0;
    Verb verb = Verb::Turn;
    int32_t x = 0, y = 0;  // down, move, up
    int64_t count = 1;     // turn
    std::string key;       // style, color, world, option; the tool's or preset's name
    std::string value;     // style, color, world, option
};

}  // namespace tools
