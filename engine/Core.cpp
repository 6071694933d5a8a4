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

template <typename T>
void AllocateZeroed(Buffer<T>& buffer, int32_t count) {
    const int32_t bytes = CheckedMultiply(count, static_cast<int32_t>(sizeof(T)), ErrorOverflow);
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

// Storage for as many force-pass bands as the crew cuts its work into.
void AllocateBands(CoreMember& m) {
    m.bands.clear();
    if (m.cells.IsEmpty())
        return;
    m.bands.resize(static_cast<size_t>(PartsFor(m.crew->Size())));
    const int32_t rowCapacity = CheckedMultiply(m.gridWidth, kCellCapacity, ErrorOverflow);
    const int32_t sideCount = CheckedMultiply(rowCapacity, 3, ErrorOverflow);
    const int32_t padded = CheckedAdd(sideCount, kPartnerPadding, ErrorOverflow);
    for (FORCEBAND& band : m.bands) {
        AllocateZeroed(band.sides, sideCount);
        AllocateZeroed(band.coarse, padded);
        AllocateZeroed(band.starts, CheckedMultiply(m.gridWidth, 3, ErrorOverflow));
        AllocateZeroed(band.sums[0], rowCapacity);
        AllocateZeroed(band.sums[1], rowCapacity);
        AllocateZeroed(band.partners, kMostPartners + kPartnerPadding);
        AllocateZeroed(band.terms, kMostPartners);
        for (int32_t r = 0; r < 3; ++r)
            band.copies[r] = {r * rowCapacity, 0, 1, 0, band.starts.Data() + r * m.gridWidth};
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

void Core::Init() {
    // Particles in the old grid would keep their references for ever.
    EraseAll();
    CoreMember& m = *m_;
    m.gridWidth = GridCells(m.width);
    m.gridHeight = GridCells(m.height);
    m.offsetX = GridOffset(m.gridWidth, m.width);
    m.offsetY = GridOffset(m.gridHeight, m.height);
    const int32_t cellCount = CheckedMultiply(m.gridWidth, m.gridHeight, ErrorOverflow);
    AllocateZeroed(m.cells, cellCount);
    AllocateZeroed(m.nextCells, cellCount);
    AllocateZeroed(m.rows, m.gridHeight);
    AllocateZeroed(m.nextRows, m.gridHeight);
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
