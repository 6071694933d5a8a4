#include "paint/DrawingPass.h"

#include <algorithm>
#include <cstring>

#include "base/Buffer.h"
#include "base/CheckedInt.h"
#include "base/Image.h"
#include "engine/PARTICLEGRID.h"
#include "paint/BrushMasks.h"
#include "paint/ColorSettings.h"
#include "paint/ParticleDrawing.h"

namespace app {

namespace {

// Fractions run 0 ... 32767; a larger value in a slot is read as the largest, so that no mark
// reaches further than the row schedule below allows.
constexpr uint16_t kMaxFraction = 32767;

uint32_t PixelWord(const Image& image, int32_t x, int32_t y) {
    const unsigned char* p = image.ConstPixel(x, y);
    return ColorWord(p[0], p[1], p[2], p[3]);
}

// The occupied columns of one cell row, found while splatting it; the resolving walks visit
// only those.
struct ROWSPAN {
    int32_t first;
    int32_t last;  // first > last: the row holds no particle
};

// A resolved window of rows is reached by at most the last two cell rows.
constexpr int32_t kRememberedRows = 2;
constexpr int32_t kPrefetchCells = 32;

class Pass {
  public:
    Pass(const PARTICLEGRID& grid, DRAWWORK* ring, const unsigned char* masks)
        : grid_(grid),
          image_(*grid.image),
          ring_{ring, kDrawRingRows, grid.width, grid.height},
          masks_(masks),
          cells_(grid.cells),
          items_(grid.items),
          itemCount_(grid.itemCount) {}

    void Run() {
        const int32_t height = grid_.height;
        int32_t done = std::max(0, -grid_.offsetY - kBrushReach);
        for (int32_t i = 0; i < grid_.gridHeight; ++i) {
            SplatCellRow(i);
            const int32_t limit = std::min(i * kCellPixels - grid_.offsetY + kCellPixels - kBrushReach, height);
            if (limit > done) {
                ResolveRows(done, limit, i);
                done = limit;
            }
        }
        if (height > done)
            ResolveRows(done, height, grid_.gridHeight - 1);
    }

  private:
    double ImageX(int32_t column, const PARTICLE& p) const {
        return (column + std::min(p.fx, kMaxFraction) / kFractionScale) * kCellPixels - grid_.offsetX;
    }
    double ImageY(int32_t row, const PARTICLE& p) const {
        return (row + std::min(p.fy, kMaxFraction) / kFractionScale) * kCellPixels - grid_.offsetY;
    }
    MARK MarkOf(int32_t column, int32_t row, const PARTICLE& p) const {
        return PlaceMark(ImageX(column, p), ImageY(row, p));
    }

    void SplatCellRow(int32_t i) {
        ROWSPAN& span = spans_[i % kRememberedRows];
        span = {grid_.gridWidth, -1};
        int32_t first = 0, last = 0;
        grid_.Columns(i, first, last);
        CELL* row = cells_ + static_cast<ptrdiff_t>(i) * grid_.gridWidth;
        for (int32_t j = first; j <= last; ++j) {
            // Cells are large and mostly empty: ask for the counts ahead of the scan, so that a
            // large grid costs memory bandwidth rather than one round trip per cell.
            if (j + kPrefetchCells <= last)
                __builtin_prefetch(&row[j + kPrefetchCells].count);
            CELL& cell = row[j];
            const int32_t count = std::min(cell.count, kCellCapacity);
            if (count <= 0)
                continue;
            span.first = std::min(span.first, j);
            span.last = j;
            for (int32_t k = 0; k < count; ++k)
                SplatParticle(j, i, cell.particles[k]);
        }
    }

    void SplatParticle(int32_t column, int32_t row, PARTICLE& p) {
        if (p.info < 0 || p.info >= itemCount_)
            return;
        const MARK mark = MarkOf(column, row, p);
        uint32_t colour = ColorOf(items_[p.info].key, p.age, grid_.mode);
        if (grid_.mode == DrawingModeBlur) {
            colour = BlurDeposit(p.colour, colour);
            const int32_t x = std::clamp(mark.px, 0, grid_.width - 1);
            const int32_t y = std::clamp(mark.py, 0, grid_.height - 1);
            p.colour = PixelWord(image_, x, y);
        }
        SplatMark(ring_, masks_, mark, colour);
    }

    // Composites image rows y0 ... y1 - 1, which only cell rows up to `lastRow` can have reached.
    // Rather than every pixel of those rows, only the pixels under the marks are visited:
    // untouched records are empty and would change nothing.  Each visited record is emptied, so
    // a pixel under several marks is composited once.
    void ResolveRows(int32_t y0, int32_t y1, int32_t lastRow) {
        for (int32_t r = lastRow; r >= 0 && r > lastRow - kRememberedRows; --r) {
            const ROWSPAN& span = spans_[r % kRememberedRows];
            const CELL* row = cells_ + static_cast<ptrdiff_t>(r) * grid_.gridWidth;
            for (int32_t j = span.first; j <= span.last; ++j) {
                const CELL& cell = row[j];
                const int32_t count = std::min(cell.count, kCellCapacity);
                for (int32_t k = 0; k < count; ++k)
                    ResolveMark(MarkOf(j, r, cell.particles[k]), y0, y1);
            }
        }
    }

    void ResolveMark(const MARK& mark, int32_t y0, int32_t y1) {
        const MARKSPAN span = MarkSpan(mark, grid_.width, grid_.height);
        const int32_t top = std::max(span.y0, y0);
        const int32_t bottom = std::min(span.y1, y1);
        if (span.x0 >= span.x1)
            return;
        for (int32_t y = top; y < bottom; ++y) {
            ResolveSpan(ring_, image_.Row(y), y, span.x0, span.x1, grid_.mode, true);
        }
    }

    const PARTICLEGRID& grid_;
    Image& image_;
    DRAWRING ring_;
    const unsigned char* masks_;
    CELL* cells_;
    const PARTICLE_INFO_ITEM* items_;
    int32_t itemCount_;
    ROWSPAN spans_[kRememberedRows] = {};
};

}  // namespace

class DrawingPassMember {
  public:
    Buffer<DRAWWORK> ring;             // kDrawRingRows x width records
    Buffer<unsigned char> brushMasks;  // 16 masks of 8 x 8 bytes

    bool IsReadyFor(const PARTICLEGRID& grid) const {
        const Image* image = grid.image;
        if (!image || !grid.cells || grid.width <= 0 || grid.height <= 0)
            return false;
        if (image->Width() != grid.width || image->Height() != grid.height || image->BytesPerPixel() != 4)
            return false;
        if (image->ConstData() == nullptr)
            return false;
        return brushMasks.Size() >= kBrushMaskTotal && ring.Count() >= kDrawRingRows * grid.width;
    }
};

DrawingPass::DrawingPass() : m_(std::make_unique<DrawingPassMember>()) {}

DrawingPass::~DrawingPass() = default;

int32_t DrawingPass::RingBytesFor(int32_t width) {
    const int32_t records = CheckedMultiply(width, kDrawRingRows, ErrorOverflow);
    return CheckedMultiply(records, static_cast<int32_t>(sizeof(DRAWWORK)), ErrorOverflow);
}

void DrawingPass::Build(int32_t width) {
    BuildBrushMasks(m_->brushMasks);
    const int32_t bytes = RingBytesFor(width);
    m_->ring.Allocate(bytes);
    // Every turn leaves the ring as it found it, so it is emptied once here.
    if (bytes > 0)
        std::memset(m_->ring.Data(), 0, static_cast<size_t>(bytes));
}

void DrawingPass::Draw(const PARTICLEGRID& grid) {
    if (!m_->IsReadyFor(grid))
        return;
    Pass(grid, m_->ring.Data(), m_->brushMasks.ConstData()).Run();
}

const DRAWWORK* DrawingPass::Ring() const noexcept {
    return m_->ring.ConstData();
}

int32_t DrawingPass::RingCount() const noexcept {
    return m_->ring.Count();
}

}  // namespace app
