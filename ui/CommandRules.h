#pragma once

#include <cstdint>

namespace app {

// What a state query sets on a menu item or toolbar button; parts not set stay as they are
// (items are enabled and unchecked unless a rule says otherwise).
struct COMMAND_STATE {
    bool setsEnable;
    bool enable;
    bool setsCheck;
    bool check;
};

// The live view state that the view's command rules read.
struct VIEW_FACTS {
    int32_t tool;  // 0 paint, 1 erase, 2 blur
    bool canUndo;
    bool canRedo;
    bool particlesAlive;  // the engine's snapshot table is not empty
    bool paused;
    int32_t zoom;        // percent
    int32_t background;  // 0 checker, 1 black, 2 white
};

// The live frame state that the frame's command rules read.
struct FRAME_FACTS {
    bool toolbarVisible;
    bool statusBarVisible;
    bool panelExists[4];  // a panel that has no window yet shows its command greyed
    bool panelVisible[4];
};

// The state rules of the commands: which item is checked or greyed for the state it shows.
// Each returns false for ids that its owner does not answer, so the query goes on.
class CommandRules {
  public:
    static bool ForView(int32_t id, const VIEW_FACTS& facts, COMMAND_STATE* state);
    static bool ForFrame(int32_t id, const FRAME_FACTS& facts, COMMAND_STATE* state);
};

}  // namespace app
