#include "ui/ColorPanelRules.h"

#include <algorithm>

#include "base/Image.h"
#include "paint/ToolTable.h"

namespace app {

namespace {

uint8_t Ramp(int32_t index, int32_t count) {
    return count > 1 ? static_cast<uint8_t>(index * 255 / (count - 1)) : 0;
}

bool Inside(const Rect32& r, int32_t x, int32_t y) {
    return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
}

}  // namespace

void ColorPanelRules::FillTable(Image& table, int32_t level) {
    const int32_t width = table.Width(), height = table.Height();
    for (int32_t i = 0; i < height; ++i) {
        unsigned char* row = table.Row(i);
        std::fill(row, row + table.Stride(), 0);  // the padding stays zero
        for (int32_t j = 0; j < width; ++j) {
            row[3 * j] = Ramp(i, height);
            row[3 * j + 1] = Ramp(j, width);
            row[3 * j + 2] = static_cast<uint8_t>(level);
        }
    }
}

uint32_t ColorPanelRules::PickedColour(const Image& table, int32_t x, int32_t y) {
    if (x < 0 || y < 0 || x >= table.Width() || y >= table.Height())
        return 0;
    const unsigned char* p = table.ConstPixel(x, y);
    return static_cast<uint32_t>(p[0]) * 65536 + static_cast<uint32_t>(p[1]) * 256 + p[2];
}

void ColorPanelRules::ApplyPickedColour(COLORSETTING& setting, uint32_t colour) {
    uint32_t& target = setting.Color[setting.useFore ? 0 : 1];
    target = (target & 0xFF000000u) | (colour & 0x00FFFFFFu);
}

Rect32 ColorPanelRules::ForegroundSquare(int32_t width, int32_t height) {
    return {0, 0, width - width / 3, height - height / 3};
}

Rect32 ColorPanelRules::BackgroundSquare(int32_t width, int32_t height) {
    return {width / 3, height / 3, width, height};
}

int32_t ColorPanelRules::SquareAt(int32_t x, int32_t y, int32_t width, int32_t height) {
    if (Inside(ForegroundSquare(width, height), x, y))
        return 1;
    return Inside(BackgroundSquare(width, height), x, y) ? 0 : -1;
}

COLORENABLING ColorPanelRules::Enabling(int32_t tool, int32_t coloring) {
    const bool hasColor = IsToolNumber(tool) && ToolInfo(tool).hasColor;
    return {hasColor, hasColor || coloring != ColoringSingle};
}

int32_t ColorPanelRules::LoadedLevel(int32_t level) {
    return std::clamp(level, 0, kMostLevel);
}

}  // namespace app
