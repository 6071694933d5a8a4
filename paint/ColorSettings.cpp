#include "paint/ColorSettings.h"

#include "paint/ToolSelection.h"
#include "paint/ToolTable.h"

namespace app {

namespace {

COLORSETTING g_settings[kToolCount] = {DefaultColorSetting(), DefaultColorSetting(), DefaultColorSetting()};

int32_t ResolveTool(int32_t tool) {
    return IsToolNumber(tool) ? tool : CurrentToolNumber();
}

// (weightF * F + weightB * B) / total per byte, dividing toward zero.  The products are taken
// in 64 bits so that long lives and periods cannot overflow; where 32 bits would suffice the
// result is the same.
uint32_t MixBytes(uint32_t fore, uint32_t back, int64_t weightFore, int64_t weightBack, int64_t total) {
    uint32_t result = 0;
    for (int32_t k = 0; k < 4; ++k) {
        const int64_t f = ColorByte(fore, k);
        const int64_t b = ColorByte(back, k);
        const int64_t mixed = (weightFore * f + weightBack * b) / total;
        result |= static_cast<uint32_t>(mixed & 0xFF) << (8 * k);
    }
    return result;
}

uint32_t SingleColor(const COLORSETTING& s, int32_t mode) {
    return (mode != ToolNumberPaint || s.useFore) ? s.Color[0] : s.Color[1];
}

uint32_t FadeColor(const COLORSETTING& s, int32_t life, int32_t age) {
    if (life <= 0)
        return s.Color[0];
    if (age >= life)
        return s.Color[1];
    return MixBytes(s.Color[0], s.Color[1], int64_t{life} - age, age, life);
}

// A triangle wave of period P turns from F at age 0 to B at half a period.  A period below 2
// has no half period to swing over; such particles keep F, which is also what every longer
// period gives at r = 0.
uint32_t StripeColor(const COLORSETTING& s, int32_t age) {
    const int32_t period = s.CycleLength;
    if (period < 2 || age < 0)
        return s.Color[0];
    int32_t r = age % period;
    const int32_t h = period / 2;
    if (r > h)
        r = period - r;
    return MixBytes(s.Color[0], s.Color[1], int64_t{h} - r, r, h);
}

}  // namespace

COLORSETTING DefaultColorSetting() noexcept {
    return {{ColorWord(255, 0, 0, 255), ColorWord(0, 0, 0, 255)}, true, ColoringSingle, 6};
}

COLORSETTING GetColorSetting(int32_t tool) {
    return g_settings[ResolveTool(tool)];
}

void SetColorSetting(const COLORSETTING& setting, int32_t tool) {
    COLORSETTING& stored = g_settings[ResolveTool(tool)];
    stored = setting;
    if (stored.Coloring < ColoringSingle || stored.Coloring > ColoringRandom)
        stored.Coloring = ColoringSingle;
    if (stored.CycleLength <= 0)
        stored.CycleLength = 1;
}

void ResetColorSettings() noexcept {
    for (COLORSETTING& s : g_settings)
        s = DefaultColorSetting();
}

void RestoreColorSetting(const COLORSETTING& setting, int32_t tool) {
    g_settings[ResolveTool(tool)] = setting;
}

COLORSETTING ColorSettingOf(const SPRAYSTYLE& style) noexcept {
    return {{style.Color[0], style.Color[1]}, style.useFore, style.Coloring, style.CycleLength};
}

void ApplyColorSetting(SPRAYSTYLE& style, const COLORSETTING& setting) noexcept {
    style.Color[0] = setting.Color[0];
    style.Color[1] = setting.Color[1];
    style.useFore = setting.useFore;
    style.Coloring = setting.Coloring;
    style.CycleLength = setting.CycleLength;
}

uint32_t ColorByRule(const COLORSETTING& setting, int32_t life, int32_t age, int32_t mode) noexcept {
    switch (setting.Coloring) {
        case ColoringFade:
            return FadeColor(setting, life, age);
        case ColoringStripes:
            return StripeColor(setting, age);
        case ColoringRandom:
            // The mix was made once, at emission, into the particle's own foreground.
            return setting.Color[0];
        default:
            return SingleColor(setting, mode);
    }
}

uint32_t ColorOf(const PARTICLE_INFO_KEY& snapshot, int32_t age, int32_t mode) noexcept {
    const COLORSETTING setting = {
        {snapshot.Color[0], snapshot.Color[1]}, snapshot.useFore != 0, snapshot.Coloring, snapshot.CycleLength};
    return ColorByRule(setting, snapshot.Life, age, mode);
}

}  // namespace app
