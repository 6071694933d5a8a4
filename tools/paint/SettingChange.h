#pragma once

#include "tools/paint/ScriptCommand.h"

namespace tools {

// Sets the one value that a `style`, `color`, `world` or `option` command names, by its stored
// key, for the current tool where it is the tool's: every other value stays as it was, bit for
// bit.  A spray style is validated and a colour setting normalised as when a panel sets them;
// the world settings are taken as the general panel hands them over (no clamping); options are
// brought into range as a load brings them.  An unknown key or a value out of its form raises
// ScriptError naming the line.
void ChangeSetting(const ScriptCommand& command);

}  // namespace tools
