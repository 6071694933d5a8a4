#include "ui/CommandRules.h"

#include "resources/ResourceIds.h"
#include "ui/IdValueTable.h"

namespace app {

namespace {

COMMAND_STATE Checked(bool check) {
    return {false, false, true, check};
}

COMMAND_STATE Enabled(bool enable) {
    return {true, enable, false, false};
}

}  // namespace

bool CommandRules::ForView(int32_t id, const VIEW_FACTS& facts, COMMAND_STATE* state) {
    // History steps replay into the image, which must not change under live particles.
    switch (id) {
        case IDM_UNDO:
            *state = Enabled(facts.canUndo && !facts.particlesAlive);
            return true;
        case IDM_REDO:
            *state = Enabled(facts.canRedo && !facts.particlesAlive);
            return true;
        case IDM_PAUSE:
            *state = Checked(facts.paused);
            return true;
        case IDM_ERASE_PARTICLES:
            *state = Enabled(facts.particlesAlive);
            return true;
        default:
            break;
    }
    if (const int32_t tool = IdValueTable::ValueOf(IdValueTable::Tool(), id); tool >= 0) {
        *state = Checked(facts.tool == tool);
        return true;
    }
    if (const int32_t zoom = IdValueTable::ValueOf(IdValueTable::Zoom(), id); zoom >= 0) {
        *state = Checked(facts.zoom == zoom);
        return true;
    }
    if (const int32_t background = IdValueTable::ValueOf(IdValueTable::Background(), id); background >= 0) {
        *state = Checked(facts.background == background);
        return true;
    }
    return false;
}

bool CommandRules::ForFrame(int32_t id, const FRAME_FACTS& facts, COMMAND_STATE* state) {
    switch (id) {
        case IDM_SHOW_TOOLBAR:
            *state = Checked(facts.toolbarVisible);
            return true;
        case IDM_SHOW_STATUSBAR:
            *state = Checked(facts.statusBarVisible);
            return true;
        default:
            break;
    }
    const int32_t panel = IdValueTable::ValueOf(IdValueTable::Panel(), id);
    if (panel < 0)
        return false;
    const bool exists = facts.panelExists[panel];
    *state = {true, exists, true, exists && facts.panelVisible[panel]};
    return true;
}

}  // namespace app
