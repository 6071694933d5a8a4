#pragma once

#include <cstdint>

#include "base/Geometry.h"
#include "paint/COLORSETTING.h"

namespace app {

class Image;

// Which colour controls take input for a tool and its rule.
struct COLORENABLING {
    bool current;          // the current-colour squares: tools with colour only
    bool backgroundLevel;  // the background's level: tools with colour, or any rule but one colour
};

// The colour panel's rules that need no window: the colour table's picture and what a click
// in it means, the current-colour squares, and which controls take input.
class ColorPanelRules {
  public:
    static constexpr int32_t kMostLevel = 255;

    // Fills a 3-byte display image: per pixel, in memory order, row x 255 / (rows - 1),
    // column x 255 / (columns - 1) and the level; that is blue down the rows, green along the
    // columns and red the level.  A single row or column has nothing to run over and is 0.
    static void FillTable(Image& table, int32_t level);
    // The colour of the table's pixel at (x, y), as a COLORREF (red, green, blue from the
    // lowest byte); 0 outside the picture.
    static uint32_t PickedColour(const Image& table, int32_t x, int32_t y);
    // A picked colour becomes the red, green and blue of the foreground when useFore is set,
    // else of the background; the level of that colour stays.
    static void ApplyPickedColour(COLORSETTING& setting, uint32_t colour);
    // The two squares of the current-colour control: the foreground at the upper left and the
    // background at the lower right, each two thirds of the control.
    static Rect32 ForegroundSquare(int32_t width, int32_t height);
    static Rect32 BackgroundSquare(int32_t width, int32_t height);
    // A press at (x, y): 1 selects the foreground (it is drawn over the background), 0 the
    // background, -1 neither.
    static int32_t SquareAt(int32_t x, int32_t y, int32_t width, int32_t height);
    static COLORENABLING Enabling(int32_t tool, int32_t coloring);
    // A stored level within 0 ... 255.
    static int32_t LoadedLevel(int32_t level);
};

}  // namespace app
