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
#include "paint/RingLanes.h"

namespace app {

namespace {

// The ring notes, per ring row, which blocks of 16 records something was laid on, 64 blocks to
// a word; compositing visits only those.
constexpr int32_t kBlockRecords = 16;
constexpr int32_t kBlocksPerWord = 64;
constexpr int32_t kPrefetchCells = 32;
// Particles of one snapshot and age share a colour; a small table keeps the last ones a turn met.
constexpr int32_t kColourMemo = 512;

int32_t TouchWords(int32_t width) {
    return (width + kBlockRecords * kBlocksPerWord - 1) / (kBlockRecords * kBlocksPerWord);
}

struct COLOURMEMO {
    int32_t info;
    int32_t age;
    uint32_t colour;
};

}  // namespace

class DrawingPassMember {
  public:
    Buffer<uint16_t> weights;          // the ring: kDrawRingRows x width records' weights
    Buffer<uint32_t> colours;          // and their colour words
    Buffer<uint64_t> touched;          // kDrawRingRows x TouchWords(width) block bits
    Buffer<unsigned char> brushMasks;  // 16 masks of 8 x 8 bytes
    int32_t width = 0;
    COLOURMEMO memo[kColourMemo];

    bool IsReadyFor(const PARTICLEGRID& grid) const {
        const Image* image = grid.image;
        if (!image || !grid.cells || grid.width <= 0 || grid.height <= 0 || grid.width > width)
            return false;
        if (image->Width() != grid.width || image->Height() != grid.height || image->BytesPerPixel() != 4)
            return false;
        if (image->ConstData() == nullptr)
            return false;
        return brushMasks.Size() >= kBrushMaskTotal && weights.Count() >= kDrawRingRows * grid.width;
    }
};

namespace {

class Pass {
  public:
    Pass(const PARTICLEGRID& grid, DrawingPassMember& m)
        : grid_(grid),
          pixels_(grid.image->Data()),
          stride_(grid.image->Stride()),
          weights_(m.weights.Data()),
          colours_(m.colours.Data()),
          touched_(m.touched.Data()),
          words_(TouchWords(grid.width)),
          masks_(m.brushMasks.ConstData()),
          memo_(m.memo) {
        for (int32_t k = 0; k < kColourMemo; ++k)
            memo_[k] = {-1, 0, 0};
    }

    void Run() {
        const int32_t height = grid_.height;
        int32_t done = std::max(0, -grid_.offsetY - kBrushReach);
        for (int32_t i = 0; i < grid_.gridHeight; ++i) {
            SplatCellRow(i);
            const int32_t limit = std::min(i * kCellPixels - grid_.offsetY + kCellPixels - kBrushReach, height);
            if (limit > done) {
                ResolveRows(done, limit);
                done = limit;
            }
        }
        if (height > done)
            ResolveRows(done, height);
    }

  private:
    uint16_t* Weights(int32_t y) const { return weights_ + static_cast<ptrdiff_t>(y % kDrawRingRows) * grid_.width; }
    uint32_t* Colours(int32_t y) const { return colours_ + static_cast<ptrdiff_t>(y % kDrawRingRows) * grid_.width; }
    uint64_t* Touched(int32_t y) const { return touched_ + static_cast<ptrdiff_t>(y % kDrawRingRows) * words_; }
    unsigned char* Pixel(int32_t x, int32_t y) const {
        return pixels_ + static_cast<ptrdiff_t>(y) * stride_ + static_cast<ptrdiff_t>(x) * 4;
    }

    void SplatCellRow(int32_t i) {
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

    void SplatParticle(int32_t column, int32_t row, PARTICLE& p) {
        if (p.info < 0 || p.info >= grid_.itemCount)
            return;
        const MARK mark = PlaceMarkInGrid(column, row, p.fx, p.fy, grid_.offsetX, grid_.offsetY);
        uint32_t colour = Colour(p);
        if (grid_.mode == DrawingModeBlur) {
            colour = BlurDeposit(p.colour, colour);
            const unsigned char* q =
                Pixel(std::clamp(mark.px, 0, grid_.width - 1), std::clamp(mark.py, 0, grid_.height - 1));
            p.colour = ColorWord(q[0], q[1], q[2], q[3]);
        }
        Lay(mark, colour);
    }

    // The particle's colour by its style's rule, remembered per snapshot and age for the turn.
    uint32_t Colour(const PARTICLE& p) {
        const uint32_t hash = (static_cast<uint32_t>(p.info) * 0x9E3779B1u + static_cast<uint32_t>(p.age)) >> 23;
        COLOURMEMO& slot = memo_[hash % kColourMemo];
        if (slot.info != p.info || slot.age != p.age)
            slot = {p.info, p.age, ColorOf(grid_.items[p.info].key, p.age, grid_.mode)};
        return slot.colour;
    }

    void Lay(const MARK& mark, uint32_t colour) {
        const MARKSPAN span = MarkSpan(mark, grid_.width, grid_.height);
        if (span.IsEmpty())
            return;
        const unsigned char* mask = masks_ + BrushMaskIndex(mark.phaseX, mark.phaseY) * kBrushMaskSize;
        const int32_t left = mark.px - kBrushReach;
        const int32_t top = mark.py - kBrushReach;
        const int32_t firstBlock = span.x0 / kBlockRecords, lastBlock = (span.x1 - 1) / kBlockRecords;
        const bool whole = span.x1 - span.x0 == kBrushMaskSide && (colour >> 24) != 0;
        for (int32_t y = span.y0; y < span.y1; ++y) {
            uint64_t* touched = Touched(y);
            touched[firstBlock / kBlocksPerWord] |= uint64_t{1} << (firstBlock % kBlocksPerWord);
            touched[lastBlock / kBlocksPerWord] |= uint64_t{1} << (lastBlock % kBlocksPerWord);
            const unsigned char* maskRow = mask + (y - top) * kBrushMaskSide;
            uint16_t* weights = Weights(y);
            uint32_t* colours = Colours(y);
            if (whole) {
                LayMarkRow(weights + span.x0, colours + span.x0, maskRow, colour);
                continue;
            }
            for (int32_t x = span.x0; x < span.x1; ++x)
                SplatRecord(weights[x], colours[x], maskRow[x - left], colour);
        }
    }

    // Composites image rows y0 ... y1 - 1 and empties what they used of the ring.  Only the
    // blocks something was laid on are visited: the others are empty and would change nothing.
    void ResolveRows(int32_t y0, int32_t y1) {
        for (int32_t y = y0; y < y1; ++y) {
            uint64_t* touched = Touched(y);
            for (int32_t w = 0; w < words_; ++w) {
                for (uint64_t bits = touched[w]; bits != 0; bits &= bits - 1) {
                    const int32_t x0 = (w * kBlocksPerWord + __builtin_ctzll(bits)) * kBlockRecords;
                    ResolveBlock(y, x0, std::min(x0 + kBlockRecords, grid_.width));
                }
                touched[w] = 0;
            }
        }
    }

    void ResolveBlock(int32_t y, int32_t x0, int32_t x1) {
        uint16_t* weights = Weights(y) + x0;
        uint32_t* colours = Colours(y) + x0;
        unsigned char* pixels = Pixel(x0, y);
        for (uint32_t bits = HeavyRecords(weights, x1 - x0); bits != 0; bits &= bits - 1) {
            const int32_t s = __builtin_ctz(bits);
            CompositeHeavy(pixels + s * 4, weights[s], colours[s], grid_.mode);
        }
        std::memset(weights, 0, sizeof(uint16_t) * static_cast<size_t>(x1 - x0));
        std::memset(colours, 0, sizeof(uint32_t) * static_cast<size_t>(x1 - x0));
    }

    const PARTICLEGRID& grid_;
    unsigned char* pixels_;
    int32_t stride_;
    uint16_t* weights_;
    uint32_t* colours_;
    uint64_t* touched_;
    int32_t words_;
    const unsigned char* masks_;
    COLOURMEMO* memo_;
};

template <typename T>
void AllocateZeroed(Buffer<T>& buffer, int32_t count) {
    const int32_t bytes = CheckedMultiply(count, static_cast<int32_t>(sizeof(T)), ErrorOverflow);
    buffer.Allocate(bytes);
    // Every turn leaves the ring as it found it, so it is emptied once here.
    if (bytes > 0)
        std::memset(buffer.Data(), 0, static_cast<size_t>(bytes));
}

}  // namespace

DrawingPass::DrawingPass() : m_(std::make_unique<DrawingPassMember>()) {}

DrawingPass::~DrawingPass() = default;

void DrawingPass::Build(int32_t width) {
    BuildBrushMasks(m_->brushMasks);
    const int32_t records = CheckedMultiply(width, kDrawRingRows, ErrorOverflow);
    AllocateZeroed(m_->weights, records);
    AllocateZeroed(m_->colours, records);
    AllocateZeroed(m_->touched, CheckedMultiply(TouchWords(width), kDrawRingRows, ErrorOverflow));
    m_->width = width;
}

void DrawingPass::Draw(const PARTICLEGRID& grid) {
    if (!m_->IsReadyFor(grid))
        return;
    Pass(grid, *m_).Run();
}

bool DrawingPass::RingIsEmpty() const noexcept {
    const DrawingPassMember& m = *m_;
    for (int32_t k = 0; k < m.weights.Count(); ++k) {
        if (m.weights.ConstData()[k] != 0 || m.colours.ConstData()[k] != 0)
            return false;
    }
    for (int32_t k = 0; k < m.touched.Count(); ++k) {
        if (m.touched.ConstData()[k] != 0)
            return false;
    }
    return true;
}

int32_t DrawingPass::RingCount() const noexcept {
    return m_->weights.Count();
}

}  // namespace app
