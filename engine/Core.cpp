#include "engine/Core.h"

#include <algorithm>
#include <cstring>

#include "base/CheckedInt.h"
#include "base/Exception.h"
#include "engine/CoreMember.h"
#include "engine/ForcePass.h"
#include "engine/MotionPass.h"
#include "engine/ParticleDrawer.h"
#include "engine/SPRAYSTYLE.h"
#include "engine/WORLD_SETTINGS.h"

namespace app {

namespace {

void AllocateZeroed(UCharBuffer& buffer, int32_t bytes) {
    buffer.Allocate(bytes);
    if (bytes > 0)
        std::memset(buffer.Data(), 0, static_cast<size_t>(bytes));
}

// A particle's forward neighbours lie in five cells; the neighbour test reads and writes up to
// four entries past the end of a run.
constexpr int32_t kMostPartners = 5 * kCellCapacity;
constexpr int32_t kPartnerPadding = 4;

// Cells covering the image with at least one cell of border ring on every side.
int32_t GridCells(int32_t pixels) {
    return CheckedAdd(CheckedAdd(pixels, kCellPixels - 1, ErrorOverflow) / kCellPixels, 3, ErrorOverflow);
}

// The image centred in the grid.
int32_t GridOffset(int32_t cells, int32_t pixels) {
    return CheckedSubtract(CheckedMultiply(cells, kCellPixels, ErrorOverflow), pixels, ErrorOverflow) / 2;
}

int32_t BytesOf(int32_t count, size_t size) {
    return CheckedMultiply(count, static_cast<int32_t>(size), ErrorOverflow);
}

// The grid of an image and the byte sizes of its buffers, all in checked arithmetic: the two
// grids and their row records, and what one force-pass band works in (FORCEBAND: copies of up to
// three rows with their coarse positions, their sums and where their columns begin).
struct GridLayout {
    explicit GridLayout(int32_t width, int32_t height)
        : gridWidth(GridCells(width)),
          gridHeight(GridCells(height)),
          offsetX(GridOffset(gridWidth, width)),
          offsetY(GridOffset(gridHeight, height)),
          cellBytes(BytesOf(CheckedMultiply(gridWidth, gridHeight, ErrorOverflow), sizeof(CELL))),
          rowBytes(BytesOf(gridHeight, sizeof(CELLROW))),
          rowCapacity(CheckedMultiply(gridWidth, kCellCapacity, ErrorOverflow)),
          bandBytes(BandBytes(3)) {}

    // What a band with `copies` row copies holds, checked; its parts are each smaller.
    int32_t SlotCount(int32_t copies) const { return CheckedMultiply(rowCapacity, copies, ErrorOverflow); }
    int32_t BandBytes(int32_t copies) const {
        const int32_t slots = SlotCount(copies);
        int32_t bytes = BytesOf(slots, sizeof(PAIRSIDE) + sizeof(SUM) + sizeof(int32_t));
        bytes = CheckedAdd(bytes, BytesOf(CheckedAdd(slots, kPartnerPadding, ErrorOverflow), sizeof(uint32_t)),
                           ErrorOverflow);
        return CheckedAdd(bytes, BytesOf(CheckedMultiply(gridWidth, copies, ErrorOverflow), sizeof(int32_t)),
                          ErrorOverflow);
    }

    int32_t gridWidth, gridHeight, offsetX, offsetY;
    int32_t cellBytes, rowBytes;
    int32_t rowCapacity, bandBytes;
};

// Bands beyond the first get at most this much storage between them: a picture so wide that its
// bands would need more works in fewer of them.
constexpr int32_t kExtraBandBytes = 64 << 20;

// Storage for as many force-pass bands as the crew cuts its work into.
void AllocateBands(CoreMember& m) {
    m.bands.clear();
    if (m.cells.IsEmpty())
        return;
    const GridLayout layout(m.width, m.height);
    const int32_t wanted = PartsFor(m.crew->Size());
    const int32_t bands = wanted > 1 ? 1 + std::min(wanted - 1, kExtraBandBytes / layout.bandBytes) : 1;
    // Only bands that run side by side need the third copy, of the row below them.
    const int32_t copies = bands > 1 ? 3 : 2;
    const int32_t slots = layout.SlotCount(copies);
    m.bands.resize(static_cast<size_t>(bands));
    for (FORCEBAND& band : m.bands) {
        AllocateZeroed(band.sides, BytesOf(slots, sizeof(PAIRSIDE)));
        AllocateZeroed(band.coarse, BytesOf(slots + kPartnerPadding, sizeof(uint32_t)));
        AllocateZeroed(band.sums, BytesOf(slots, sizeof(SUM)));
        AllocateZeroed(band.columns, BytesOf(slots, sizeof(int32_t)));
        AllocateZeroed(band.starts, BytesOf(m.gridWidth * copies, sizeof(int32_t)));
        AllocateZeroed(band.partners, BytesOf(kMostPartners + kPartnerPadding, sizeof(int32_t)));
        AllocateZeroed(band.terms, BytesOf(kMostPartners, sizeof(PAIRTERMS)));
        for (int32_t r = 0; r < 3; ++r)
            band.copies[r] = {std::min(r, copies - 1) * layout.rowCapacity, 0, 1, 0,
                              band.starts.Data() + std::min(r, copies - 1) * m.gridWidth};
        band.rowBelow = -1;
    }
}

}  // namespace

Core::Core() : m_(std::make_unique<CoreMember>()) {
    m_->crew = std::make_unique<WorkCrew>(DefaultCrewSize());
}

Core::~Core() {
    EraseAll();
}

void Core::SetSize(int32_t width, int32_t height) {
    if (width < 0 || height < 0)
        throw Exception(ErrorImageSize);
    m_->width = width;
    m_->height = height;
}

void Core::CheckSize(int32_t width, int32_t height) {
    if (width < 0 || height < 0)
        throw Exception(ErrorImageSize);
    GridLayout(width, height);
}

int64_t Core::WorkingBytes(int32_t width, int32_t height) {
    const GridLayout layout(width, height);
    return 2 * (int64_t{layout.cellBytes} + layout.rowBytes) + layout.BandBytes(2);
}

void Core::Init() {
    // Particles in the old grid would keep their references for ever.
    EraseAll();
    CoreMember& m = *m_;
    const GridLayout layout(m.width, m.height);
    m.gridWidth = layout.gridWidth;
    m.gridHeight = layout.gridHeight;
    m.offsetX = layout.offsetX;
    m.offsetY = layout.offsetY;
    AllocateZeroed(m.cells, layout.cellBytes);
    AllocateZeroed(m.nextCells, layout.cellBytes);
    AllocateZeroed(m.rows, layout.rowBytes);
    AllocateZeroed(m.nextRows, layout.rowBytes);
    AllocateBands(m);
}

void Core::SetThreadCount(int32_t threads) {
    m_->crew.reset();
    m_->crew = std::make_unique<WorkCrew>(threads);
    AllocateBands(*m_);
}

int32_t Core::ThreadCount() const noexcept {
    return m_->crew->Size();
}

WorkCrew& Core::Crew() noexcept {
    return *m_->crew;
}

void Core::SetImage(Image* image) noexcept {
    m_->image = image;
}

void Core::SetDrawer(ParticleDrawer* drawer) noexcept {
    m_->drawer = drawer;
}

void Core::SetMode(int32_t mode) {
    EraseAll();
    m_->mode = mode;
}

int32_t Core::Mode() const noexcept {
    return m_->mode;
}

void Core::Step(Image& image) {
    m_->image = &image;
    Step();
}

void Core::Step() {
    CoreMember& m = *m_;
    if (m.cells.IsEmpty())
        return;
    // 1. Every particle draws where it stands.
    if (m.drawer)
        m.drawer->Draw(Grid());
    // 2. Pair forces, each particle's velocity updated right after its pairs.
    ForcePass(m, WorldSettings()).Run();
    // 3. Ageing, death, splitting and moving into the next grid.
    MotionPass(m, WorldSettings()).Run();
    // 4. The next grid becomes the current one.
    m.cells.Swap(m.nextCells);
    m.rows.Swap(m.nextRows);
}

void Core::EraseAll() noexcept {
    CoreMember& m = *m_;
    if (m.cells.IsEmpty())
        return;
    CELL* cells = m.cells.Data();
    const int32_t cellCount = m.cells.Count();
    for (int32_t c = 0; c < cellCount; ++c) {
        CELL& cell = cells[c];
        for (int32_t k = 0; k < cell.count; ++k)
            m.infoList.Release(cell.particles[k].info);
        cell.count = 0;
    }
    if (!m.rows.IsEmpty())
        std::fill_n(m.rows.Data(), m.rows.Count(), CELLROW{});
}

bool Core::IsAlive() const noexcept {
    return !m_->infoList.IsEmpty();
}

int32_t Core::AcquireStyle(const SPRAYSTYLE& style) {
    // The motion pass divides ages by these steps: whatever the source, they are kept at 1 or more.
    SPRAYSTYLE safe = style;
    safe.SpinStep = std::max(safe.SpinStep, 1);
    safe.SplitStep1 = std::max(safe.SplitStep1, 1);
    safe.SplitStep2 = std::max(safe.SplitStep2, 1);
    return m_->infoList.Acquire(safe);
}

void Core::ReleaseStyle(int32_t index) noexcept {
    m_->infoList.Release(index);
}

int32_t Core::ParticleCount() const noexcept {
    const CoreMember& m = *m_;
    const CELL* cells = m.cells.ConstData();
    int32_t total = 0;
    for (int32_t c = 0; c < m.cells.Count(); ++c)
        total += cells[c].count;
    return total;
}

PARTICLEGRID Core::Grid() noexcept {
    CoreMember& m = *m_;
    return {m.cells.Data(),
            m.rows.IsEmpty() ? nullptr : m.rows.ConstData(),
            m.gridWidth,
            m.gridHeight,
            m.offsetX,
            m.offsetY,
            m.width,
            m.height,
            m.infoList.Items(),
            m.infoList.Count(),
            m.mode,
            m.image,
            m.crew.get()};
}

CoreMember& Core::Members() noexcept {
    return *m_;
}

const CoreMember& Core::Members() const noexcept {
    return *m_;
}

}  // namespace app
