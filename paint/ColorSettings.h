#pragma once

#include <cstdint>

#include "engine/PARTICLE_INFO_ITEM.h"
#include "engine/SPRAYSTYLE.h"
#include "paint/COLORSETTING.h"

namespace app {

// The colour settings of the three tools, global to a filter run.  A tool number outside
// 0 ... 2 (the callers pass -1) means the current tool.
COLORSETTING DefaultColorSetting() noexcept;
COLORSETTING GetColorSetting(int32_t tool);
// Stores a copy for the tool, then brings Coloring into 0 ... 3 (else 0) and CycleLength to
// at least 1.
void SetColorSetting(const COLORSETTING& setting, int32_t tool);
// Every tool back to the first-start defaults.
void ResetColorSettings() noexcept;

// Stores a loaded setting as it is: loading does not normalise, the rules below treat
// out-of-range values safely.
void RestoreColorSetting(const COLORSETTING& setting, int32_t tool);

// The colour block of a spray style and the setting it is made from.
COLORSETTING ColorSettingOf(const SPRAYSTYLE& style) noexcept;
void ApplyColorSetting(SPRAYSTYLE& style, const COLORSETTING& setting) noexcept;

// The colour of a particle of `age` turns under a setting, for a style whose life is `life`
// turns, when the engine draws in `mode` (0 "Paint", 1 "Erase", 2 "Blur").
uint32_t ColorByRule(const COLORSETTING& setting, int32_t life, int32_t age, int32_t mode) noexcept;
// The same for a particle of `age` turns drawn with the style snapshot `snapshot`.
uint32_t ColorOf(const PARTICLE_INFO_KEY& snapshot, int32_t age, int32_t mode) noexcept;

}  // namespace app
