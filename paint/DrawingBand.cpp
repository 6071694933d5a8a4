#include "paint/DrawingBand.h"

#include <algorithm>
#include <cstring>

#include "base/ChangedArea.h"
#include "base/Image.h"
#include "paint/BrushMasks.h"
#include "paint/COLORSETTING.h"
#include "paint/ColorSettings.h"
#include "paint/DrawingPass.h"
#include "paint/RingLanes.h"

namespace app {

namespace {

constexpr int32_t kBlockRecords = 16;
constexpr int32_t kBlocksPerWord = 64;
constexpr int32_t kPrefetchCells = 32;

}  // namespace

int32_t DrawingBand::TouchWords(int32_t width) noexcept {
    return (width + kBlockRecords * kBlocksPerWord - 1) / (kBlockRecords * kBlocksPerWord);
}

DrawingBand::DrawingBand(const PARTICLEGRID& grid,
                         DRAWBAND& band,
                         const unsigned char* masks,
                         int32_t top,
                         int32_t bottom,
                         ChangedArea* changes)
    : grid_(grid),
      band_(band),
      pixels_(grid.image->Data()),
      stride_(grid.image->Stride()),
      weights_(band.weights.Data()),
      colours_(band.colours.Data()),
      touched_(band.touched.Data()),
      heavy_(band.heavy.Data()),
      words_(TouchWords(grid.width)),
      ringMask_(band.ringMask),
      masks_(masks),
      top_(top),
      bottom_(bottom),
      changes_(changes),
      changed_(band.changed.Data()) {
    band.pickupCount = 0;
    for (COLOURMEMO& slot : band.memo)
        slot = {-1, 0, 0};
}

uint16_t* DrawingBand::Weights(int32_t y) const {
    return weights_ + static_cast<ptrdiff_t>(y & ringMask_) * grid_.width;
}

uint32_t* DrawingBand::Colours(int32_t y) const {
    return colours_ + static_cast<ptrdiff_t>(y & ringMask_) * grid_.width;
}

uint64_t* DrawingBand::Touched(int32_t y) const {
    return touched_ + static_cast<ptrdiff_t>(y & ringMask_) * words_;
}

uint64_t* DrawingBand::Heavy(int32_t y) const {
    return heavy_ + static_cast<ptrdiff_t>(y & ringMask_) * words_;
}

unsigned char* DrawingBand::Pixel(int32_t x, int32_t y) const {
    return pixels_ + static_cast<ptrdiff_t>(y) * stride_ + static_cast<ptrdiff_t>(x) * 4;
}

// The schedule of the whole pass, kept to this band's rows: after each cell row, the rows that
// no later cell row can reach are composited.
void DrawingBand::Run() {
    const int32_t height = grid_.height;
    int32_t done = std::max(top_, std::max(0, -grid_.offsetY - kBrushReach));
    for (int32_t i = 0; i < grid_.gridHeight; ++i) {
        // Cell row i holds particles at rows i * 16 - offsetY ... + 15; their marks reach 4 rows
        // above and 3 below, and those beyond the image pick up from its first or last row.
        const int32_t y = i * kCellPixels - grid_.offsetY;
        const bool reaches = (y - kBrushReach < bottom_ || bottom_ == height) &&
                             (y + kCellPixels - 1 + kBrushReach - 1 >= top_ || top_ == 0);
        if (reaches)
            SplatCellRow(i);
        const int32_t limit = std::min(y + kCellPixels - kBrushReach, bottom_);
        if (limit > done) {
            ResolveRows(done, limit);
            done = limit;
        }
    }
    if (bottom_ > done)
        ResolveRows(done, bottom_);
    FlushChanged();
}

void DrawingBand::SplatCellRow(int32_t i) {
    int32_t first = 0, last = 0;
    grid_.Columns(i, first, last);
    CELL* row = grid_.Row(i);
    for (int32_t j = first; j <= last; ++j) {
        // Cells are large and mostly empty: ask for the counts ahead of the scan, so that a
        // large grid costs memory bandwidth rather than one round trip per cell.
        if (j + kPrefetchCells <= last)
            __builtin_prefetch(&row[j + kPrefetchCells].count);
        CELL& cell = row[j];
        const int32_t count = std::min(cell.count, kCellCapacity);
        for (int32_t k = 0; k < count; ++k)
            SplatParticle(j, i, cell.particles[k]);
    }
}

void DrawingBand::SplatParticle(int32_t column, int32_t row, PARTICLE& p) {
    if (p.info < 0 || p.info >= grid_.itemCount)
        return;
    const MARK mark = PlaceMarkInGrid(column, row, p.fx, p.fy, grid_.offsetX, grid_.offsetY);
    const int32_t pickRow = std::clamp(mark.py, 0, grid_.height - 1);
    const bool picks = grid_.mode == DrawingModeBlur && pickRow >= top_ && pickRow < bottom_;
    const bool lays = mark.py + kBrushReach > top_ && mark.py - kBrushReach < bottom_;
    if (!picks && !lays)
        return;
    uint32_t colour = Colour(p);
    if (grid_.mode == DrawingModeBlur) {
        colour = BlurDeposit(p.colour, colour);
        if (picks)
            PickUp(mark, p);
    }
    if (lays)
        Lay(mark, colour);
}

// The particle's next colour, the pixel under it as this turn has left it so far.  Where other
// bands draw its mark too, it waits until they have drawn with the old one.
void DrawingBand::PickUp(const MARK& mark, PARTICLE& p) {
    const unsigned char* q = Pixel(std::clamp(mark.px, 0, grid_.width - 1), std::clamp(mark.py, 0, grid_.height - 1));
    const uint32_t colour = ColorWord(q[0], q[1], q[2], q[3]);
    const int32_t y0 = std::max(mark.py - kBrushReach, 0), y1 = std::min(mark.py + kBrushReach, grid_.height);
    if (y0 >= y1 || (y0 >= top_ && y1 <= bottom_)) {
        p.colour = colour;
        return;
    }
    band_.pickups.Data()[band_.pickupCount++] = {&p, colour};
}

// The particle's colour by its style's rule, remembered per snapshot and age for the turn.
uint32_t DrawingBand::Colour(const PARTICLE& p) {
    const uint32_t hash =
        (static_cast<uint32_t>(p.info) * 0x9E3779B1u + static_cast<uint32_t>(p.age) * 0x85EBCA77u) >> 23;
    COLOURMEMO& slot = band_.memo[hash % kColourMemo];
    if (slot.info != p.info || slot.age != p.age)
        slot = {p.info, p.age, ColorOf(grid_.items[p.info].key, p.age, grid_.mode)};
    return slot.colour;
}

void DrawingBand::Lay(const MARK& mark, uint32_t colour) {
    const MARKSPAN span = MarkSpan(mark, grid_.width, grid_.height);
    const int32_t y0 = std::max(span.y0, top_), y1 = std::min(span.y1, bottom_);
    if (span.x0 >= span.x1 || y0 >= y1)
        return;
    const unsigned char* mask = masks_ + BrushMaskIndex(mark.phaseX, mark.phaseY) * kBrushMaskSize;
    const int32_t left = mark.px - kBrushReach;
    const int32_t top = mark.py - kBrushReach;
    const int32_t firstBlock = span.x0 / kBlockRecords, lastBlock = (span.x1 - 1) / kBlockRecords;
    const bool whole = span.x1 - span.x0 == kBrushMaskSide && (colour >> 24) != 0;
    const uint64_t firstBit = uint64_t{1} << (firstBlock % kBlocksPerWord);
    const uint64_t lastBit = uint64_t{1} << (lastBlock % kBlocksPerWord);
    for (int32_t y = y0; y < y1; ++y) {
        uint64_t* touched = Touched(y);
        touched[firstBlock / kBlocksPerWord] |= firstBit;
        touched[lastBlock / kBlocksPerWord] |= lastBit;
        const unsigned char* maskRow = mask + (y - top) * kBrushMaskSide;
        uint16_t* weights = Weights(y);
        uint32_t* colours = Colours(y);
        bool heavy = false;
        if (whole) {
            heavy = LayMarkRow(weights + span.x0, colours + span.x0, maskRow, colour);
        } else {
            for (int32_t x = span.x0; x < span.x1; ++x) {
                SplatRecord(weights[x], colours[x], maskRow[x - left], colour);
                heavy = heavy || weights[x] > 180;
            }
        }
        // Without a branch: whether a row comes out heavy follows no pattern.
        const uint64_t mark = uint64_t{0} - static_cast<uint64_t>(heavy);
        uint64_t* marked = Heavy(y);
        marked[firstBlock / kBlocksPerWord] |= firstBit & mark;
        marked[lastBlock / kBlocksPerWord] |= lastBit & mark;
    }
}

// Composites image rows y0 ... y1 - 1 and empties what they used of the ring.  Only the blocks
// something was laid on are visited, and of those only the ones that may hold a weight above
// the threshold are searched for records to composite: the others would change nothing.  The
// records of a row are gathered first and composited in one run, so that how many a block
// holds costs no guessing.
void DrawingBand::ResolveRows(int32_t y0, int32_t y1) {
    int32_t* columns = band_.heavyColumns.Data();
    for (int32_t y = y0; y < y1; ++y) {
        uint64_t* touched = Touched(y);
        uint64_t* heavy = Heavy(y);
        uint16_t* weights = Weights(y);
        uint32_t* colours = Colours(y);
        int32_t n = 0;
        if (changes_)
            NoteChanged(y, heavy);
        for (int32_t w = 0; w < words_; ++w) {
            for (uint64_t bits = heavy[w]; bits != 0; bits &= bits - 1) {
                const int32_t x0 = (w * kBlocksPerWord + __builtin_ctzll(bits)) * kBlockRecords;
                n += AppendHeavy(weights + x0, x0, std::min(kBlockRecords, grid_.width - x0), columns + n);
            }
            heavy[w] = 0;
        }
        unsigned char* row = Pixel(0, y);
        for (int32_t k = 0; k < n; ++k) {
            const int32_t x = columns[k];
            CompositeHeavy(row + static_cast<ptrdiff_t>(x) * 4, weights[x], colours[x], grid_.mode);
        }
        for (int32_t w = 0; w < words_; ++w) {
            for (uint64_t bits = touched[w]; bits != 0; bits &= bits - 1) {
                const int32_t x0 = (w * kBlocksPerWord + __builtin_ctzll(bits)) * kBlockRecords;
                EmptyRecords(weights + x0, colours + x0, std::min(kBlockRecords, grid_.width - x0));
            }
            touched[w] = 0;
        }
    }
}

void DrawingBand::NoteChanged(int32_t y, const uint64_t* heavy) {
    const int32_t tileRow = y / ChangedArea::kTilePixels;
    if (tileRow != changedRow_) {
        FlushChanged();
        changedRow_ = tileRow;
    }
    for (int32_t w = 0; w < words_; ++w)
        changed_[w] |= heavy[w];
}

void DrawingBand::FlushChanged() {
    if (changedRow_ < 0)
        return;
    for (int32_t w = 0; w < words_; ++w) {
        if (changed_[w] != 0)
            changes_->Mark(changedRow_ * ChangedArea::kTilePixels, w, changed_[w]);
        changed_[w] = 0;
    }
    changedRow_ = -1;
}

}  // namespace app
