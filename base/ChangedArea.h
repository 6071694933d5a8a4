#pragma once

#include <cstdint>
#include <vector>

#include "base/Buffer.h"
#include "base/Geometry.h"

namespace app {

// Which parts of a picture may have changed, in tiles of 16 x 16 pixels, kept twice: once for
// the history (until the next step takes them) and once for the display (until the next redraw
// takes them).  A row of tiles is a run of 64-bit words, tile x in bit x % 64 of word x / 64,
// the same layout as the drawing ring's blocks of 16 pixels, so a pass marks a whole word of
// blocks at once.  Bands of rows drawn side by side may share a row of tiles: marks are added
// with atomic operations, and the result is the same whatever their order.
class ChangedArea {
  public:
    static constexpr int32_t kTilePixels = 16;
    static constexpr int32_t kTilesPerWord = 64;
    // A history range covers at most this many rows of tiles, so that a large change is cut into
    // pieces that can be worked on side by side.
    static constexpr int32_t kRangeTileRows = 4;
    // Marked tiles closer than this along a row are taken into one range: fewer, longer ranges
    // cost less than many short ones.
    static constexpr int32_t kJoinTiles = 8;
    // A range is at most this many tiles wide, so that each is a short piece of work.
    static constexpr int32_t kRangeTiles = 64;

    // For a picture of width x height pixels, nothing marked.  A size whose storage overflows
    // raises code 12.
    void Build(int32_t width, int32_t height);
    // The storage Build needs for that size, checked in the same way.
    static int32_t BytesFor(int32_t width, int32_t height);

    int32_t WordsPerRow() const noexcept { return words_; }
    int32_t Width() const noexcept { return width_; }
    int32_t Height() const noexcept { return height_; }

    // Marks the 16-pixel blocks `bits` of word `word` for pixel row y, for both the history and
    // the display.
    void Mark(int32_t y, int32_t word, uint64_t bits) noexcept;
    // Marks every tile that meets the pixel rectangle (clipped to the picture).
    void MarkRect(const Rect32& pixels) noexcept;
    void MarkAll() noexcept;

    bool HistoryIsClear() const noexcept;
    // Pixel rectangles that cover every tile marked for the history, top to bottom and left to
    // right, none overlapping another, clipped to the picture; the history's marks are cleared.
    void TakeHistoryRanges(std::vector<Rect32>& ranges);
    // The smallest pixel rectangle that covers every tile marked for the display (empty when none
    // is: right <= left); the display's marks are cleared.
    Rect32 TakeDisplayBounds() noexcept;

  private:
    uint64_t* HistoryRow(int32_t tileRow) noexcept;
    uint64_t* DisplayRow(int32_t tileRow) noexcept;
    Rect32 TileRect(int32_t firstColumn, int32_t endColumn, int32_t firstRow, int32_t endRow) const noexcept;
    void TakeRanges(int32_t firstRow, int32_t endRow, std::vector<Rect32>& ranges);

    Buffer<uint64_t> history_;
    Buffer<uint64_t> display_;
    Buffer<uint64_t> joined_;  // one row of words: the marks of a range's rows together
    uint64_t* historyWords_ = nullptr;
    uint64_t* displayWords_ = nullptr;
    int32_t width_ = 0;
    int32_t height_ = 0;
    int32_t columns_ = 0;  // tiles across
    int32_t rows_ = 0;     // tiles down
    int32_t words_ = 0;    // words per row of tiles
};

}  // namespace app
