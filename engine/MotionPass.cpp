#include "engine/MotionPass.h"

#include "engine/CellMath.h"
#include "engine/CoreMember.h"
#include "engine/SPRAYSTYLE.h"
#include "engine/WORLD_SETTINGS.h"

namespace app {

namespace {

constexpr int32_t kAhead = 2;

}  // namespace

MotionPass::MotionPass(CoreMember& core, const WORLD_SETTINGS& world)
    : m_(core),
      world_(world),
      items_(core.infoList.Items()),
      next_(core.nextCells.Data()),
      nextRows_(core.nextRows.Data()) {}

void MotionPass::Run() {
    CELL* cells = m_.cells.Data();
    const int32_t gridWidth = m_.gridWidth;
    for (int32_t i = 0; i < m_.gridHeight; ++i) {
        int32_t first = 0, last = 0;
        m_.OccupiedColumns(i, first, last);
        m_.rows.Data()[i] = CELLROW{};  // this grid is the next one after the exchange
        for (int32_t j = first; j <= last; ++j) {
            // Particles mostly stay in their cell: ask ahead for the cell that the particles two
            // cells on will land in, and for their own.
            if (j + kAhead <= last) {
                const CELL* ahead = next_ + static_cast<ptrdiff_t>(i) * gridWidth + j + kAhead;
                __builtin_prefetch(ahead, 1);
                __builtin_prefetch(reinterpret_cast<const char*>(ahead) + 64, 1);
                __builtin_prefetch(&cells[i * gridWidth + j + kAhead]);
            }
            CELL& cell = cells[i * gridWidth + j];
            const int32_t n = cell.count;
            if (n == 0)
                continue;
            cell.count = 0;
            for (int32_t k = 0; k < n; ++k)
                MoveParticle(cell.particles[k], j, i);
        }
    }
}

void MotionPass::MoveParticle(const PARTICLE& p, int32_t column, int32_t row) {
    const PARTICLE_INFO_KEY& s = items_[p.info].key;
    if (p.age >= s.Life) {
        m_.infoList.Release(p.info);
        return;
    }
    const bool split = s.UseSplit && p.age != 0 && p.generations > 0 && RandomUnit() <= s.SplitRate;
    if (!split) {
        Move(p, column, row, 0.0, 0.0, p.generations);
    } else {
        const bool first = IsMultiple(p.age, s.SplitStep1);
        const bool fork = first && s.SplitMode == SplitFork;
        if (first)
            Move(p, column, row, s.SplitAngle1, s.SplitAngleWiggle, p.generations - 1);
        if (!fork)
            Move(p, column, row, 0.0, 0.0, p.generations);
        if (fork ||
            (s.SplitMode == SplitTwoBranches && IsMultiple(static_cast<int64_t>(p.age) - s.SplitLag, s.SplitStep2))) {
            Move(p, column, row, s.SplitAngle2, s.SplitAngleWiggle, p.generations - 1);
        }
    }
    // Every placed copy took its own reference.
    m_.infoList.Release(p.info);
}

// One copy of p, turned by a with wiggle w, into the next grid; dropped outside the inner area
// or in a full cell.
void MotionPass::Move(const PARTICLE& p, int32_t column, int32_t row, double a, double w, int32_t generations) {
    double vx = p.vx;
    double vy = p.vy;
    Turn(vx, vy, a, w);
    const double x = CellX(column, p) + vx * world_.Lively;
    const double y = CellY(row, p) + vy * world_.Lively;
    if (!IsInner(x, m_.gridWidth) || !IsInner(y, m_.gridHeight))
        return;
    const int32_t nx = static_cast<int32_t>(x), ny = static_cast<int32_t>(y);
    CELL& cell = next_[ny * m_.gridWidth + nx];
    if (cell.count >= kCellCapacity)
        return;
    PARTICLE& copy = cell.particles[cell.count];
    copy.fx = Fraction(x);
    copy.fy = Fraction(y);
    copy.vx = static_cast<float>(vx);
    copy.vy = static_cast<float>(vy);
    copy.info = p.info;
    copy.age = p.age + 1;
    copy.generations = generations;
    copy.colour = p.colour;
    m_.infoList.AddRef(p.info);
    ++cell.count;
    nextRows_[ny].Placed(nx);
}

}  // namespace app
