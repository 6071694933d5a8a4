#include "paint/DrawingPass.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "base/Buffer.h"
#include "base/CheckedInt.h"
#include "base/Image.h"
#include "base/WorkCrew.h"
#include "engine/PARTICLEGRID.h"
#include "paint/BrushMasks.h"
#include "paint/DRAWBAND.h"
#include "paint/DrawingBand.h"

namespace app {

namespace {

void AllocateZeroed(UCharBuffer& buffer, int32_t bytes) {
    buffer.Allocate(bytes);
    // Every turn leaves the ring as it found it, so it is emptied once here.
    if (bytes > 0)
        std::memset(buffer.Data(), 0, static_cast<size_t>(bytes));
}

int32_t BytesOf(int32_t count, size_t size) {
    return CheckedMultiply(count, static_cast<int32_t>(size), ErrorOverflow);
}

// A band is at least one cell row high, so that a mark reaches at most two bands, and its
// deferred pick-ups come from at most two cell rows at each of its edges.
constexpr int32_t kPickupRows = 4;

// The byte sizes of what one band draws in, for an image `width` pixels wide, in checked
// arithmetic (code 12 on overflow): the ring's weights and colours, its block bits, one row's
// columns to composite and the deferred pick-ups (as many cell columns as the engine's grid has).
struct RingLayout {
    RingLayout(int32_t width, int32_t height)
        : rows(RowsFor(height)),
          records(CheckedMultiply(width, rows, ErrorOverflow)),
          weightBytes(BytesOf(records, sizeof(uint16_t))),
          colourBytes(BytesOf(records, sizeof(uint32_t))),
          ringBytes(CheckedAdd(weightBytes, colourBytes, ErrorOverflow)),
          wordBytes(BytesOf(CheckedMultiply(DrawingBand::TouchWords(width), rows, ErrorOverflow), sizeof(uint64_t))),
          columnBytes(BytesOf(CheckedAdd(width, 16, ErrorOverflow), sizeof(int32_t))),
          changedBytes(BytesOf(DrawingBand::TouchWords(width), sizeof(uint64_t))),
          pickupBytes(BytesOf(CheckedMultiply(CheckedMultiply(kPickupRows, CellColumns(width), ErrorOverflow),
                                              kCellCapacity,
                                              ErrorOverflow),
                              sizeof(PICKUP))) {}

    // All the rows of a picture lower than the ring, as a power of two for the row arithmetic.
    static int32_t RowsFor(int32_t height) {
        int32_t rows = 1;
        while (rows < height && rows < kDrawRingRows)
            rows *= 2;
        return rows;
    }

    static int32_t CellColumns(int32_t width) {
        return CheckedAdd(CheckedAdd(width, kCellPixels - 1, ErrorOverflow) / kCellPixels, 3, ErrorOverflow);
    }

    // What one band holds when bands are drawn side by side, checked.
    int32_t BandBytes() const {
        const int32_t words = CheckedAdd(wordBytes, wordBytes, ErrorOverflow);
        return CheckedAdd(CheckedAdd(CheckedAdd(ringBytes, words, ErrorOverflow), changedBytes, ErrorOverflow),
                          CheckedAdd(columnBytes, pickupBytes, ErrorOverflow), ErrorOverflow);
    }

    int32_t rows, records, weightBytes, colourBytes, ringBytes, wordBytes, columnBytes, changedBytes, pickupBytes;
};

// Bands beyond the first get at most this much storage between them: a picture so wide that its
// bands would need more is drawn in fewer of them.
constexpr int32_t kExtraBandBytes = 64 << 20;

}  // namespace

class DrawingPassMember {
  public:
    std::vector<DRAWBAND> bands;       // one per band of rows that may be drawn at once
    Buffer<unsigned char> brushMasks;  // 16 masks of 8 x 8 bytes
    ChangedArea* changes = nullptr;
    int32_t width = 0;
    int32_t ringRows = 0;
    int32_t fewestToShare = 2048;

    bool IsReadyFor(const PARTICLEGRID& grid) const {
        const Image* image = grid.image;
        if (!image || !grid.cells || grid.width <= 0 || grid.height <= 0 || grid.width > width || bands.empty())
            return false;
        if (ringRows < kDrawRingRows && grid.height > ringRows)
            return false;
        if (image->Width() != grid.width || image->Height() != grid.height || image->BytesPerPixel() != 4)
            return false;
        if (image->ConstData() == nullptr)
            return false;
        // Bands side by side defer pick-ups; one band alone needs no room for them.
        const int64_t pickups = bands.size() > 1 ? int64_t{kPickupRows} * grid.gridWidth * kCellCapacity : 0;
        return brushMasks.Size() >= kBrushMaskTotal && bands[0].pickups.Count() >= pickups;
    }

    // Cuts the image rows into bands of whole cell rows with about equal particle counts;
    // band b is rows tops[b] ... tops[b + 1] - 1.  Returns the number of bands.
    int32_t CutBands(const PARTICLEGRID& grid, int32_t* tops) const {
        int32_t parts = std::min(static_cast<int32_t>(bands.size()), PartsFor(grid.crew ? grid.crew->Size() : 1));
        int64_t total = 0;
        for (int32_t i = 0; grid.rows && i < grid.gridHeight; ++i)
            total += grid.rows[i].count;
        if (!grid.rows || total < fewestToShare || grid.height < 2 * kCellPixels)
            parts = 1;
        tops[0] = 0;
        int32_t b = 1;
        int64_t seen = 0;
        for (int32_t i = 0; i < grid.gridHeight && b < parts; ++i) {
            seen += grid.rows[i].count;
            const int32_t next = (i + 1) * kCellPixels - grid.offsetY;
            if (seen * parts >= total * b && next - tops[b - 1] >= kCellPixels && grid.height - next >= kCellPixels)
                tops[b++] = next;
        }
        tops[b] = grid.height;
        return b;
    }
};

DrawingPass::DrawingPass() : m_(std::make_unique<DrawingPassMember>()) {}

DrawingPass::~DrawingPass() = default;

int32_t DrawingPass::RingBytesFor(int32_t width, int32_t height) {
    const RingLayout layout(width, height);
    layout.BandBytes();
    return layout.ringBytes;
}

void DrawingPass::Build(int32_t width, int32_t threads) {
    BuildFor({width, kDrawRingRows}, threads);
}

void DrawingPass::BuildFor(ImageSize size, int32_t threads) {
    const int32_t width = size.width;
    const RingLayout layout(width, size.height);
    BuildBrushMasks(m_->brushMasks);
    m_->bands.clear();
    const int32_t wanted = PartsFor(std::clamp(threads, 1, kMostCrew));
    const int32_t bands = wanted > 1 ? 1 + std::min(wanted - 1, kExtraBandBytes / layout.BandBytes()) : 1;
    m_->bands.resize(static_cast<size_t>(bands));
    for (DRAWBAND& band : m_->bands) {
        AllocateZeroed(band.weights, layout.weightBytes);
        AllocateZeroed(band.colours, layout.colourBytes);
        AllocateZeroed(band.touched, layout.wordBytes);
        AllocateZeroed(band.heavy, layout.wordBytes);
        AllocateZeroed(band.heavyColumns, layout.columnBytes);
        AllocateZeroed(band.changed, layout.changedBytes);
        AllocateZeroed(band.pickups, bands > 1 ? layout.pickupBytes : 0);
        band.pickupCount = 0;
        band.ringMask = layout.rows - 1;
    }
    m_->ringRows = layout.rows;
    m_->width = width;
}

void DrawingPass::Draw(const PARTICLEGRID& grid) {
    DrawingPassMember& m = *m_;
    if (!m.IsReadyFor(grid))
        return;
    int32_t tops[PartsFor(kMostCrew) + 1];
    const int32_t parts = m.CutBands(grid, tops);
    const unsigned char* masks = m.brushMasks.ConstData();
    if (parts == 1) {
        DrawingBand(grid, m.bands[0], masks, 0, grid.height, m.changes).Run();
        return;
    }
    auto job = [&](int32_t b) { DrawingBand(grid, m.bands[b], masks, tops[b], tops[b + 1], m.changes).Run(); };
    grid.crew->Run(parts, job);
    // Every band has drawn with the old colours: the new ones can be handed over.
    for (int32_t b = 0; b < parts; ++b) {
        const DRAWBAND& band = m.bands[b];
        for (int32_t k = 0; k < band.pickupCount; ++k)
            band.pickups.ConstData()[k].particle->colour = band.pickups.ConstData()[k].colour;
    }
}

void DrawingPass::SetChangedArea(ChangedArea* changes) noexcept {
    m_->changes = changes;
}

void DrawingPass::SetFewestToShare(int32_t particles) noexcept {
    m_->fewestToShare = particles;
}

bool DrawingPass::RingIsEmpty() const noexcept {
    for (const DRAWBAND& band : m_->bands) {
        for (int32_t k = 0; k < band.weights.Count(); ++k) {
            if (band.weights.ConstData()[k] != 0 || band.colours.ConstData()[k] != 0)
                return false;
        }
        for (int32_t k = 0; k < band.touched.Count(); ++k) {
            if (band.touched.ConstData()[k] != 0 || band.heavy.ConstData()[k] != 0)
                return false;
        }
    }
    return true;
}

int32_t DrawingPass::RingCount() const noexcept {
    return m_->bands.empty() ? 0 : m_->bands[0].weights.Count();
}

}  // namespace app
