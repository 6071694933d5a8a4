#include "engine/ForcePass.h"

#include <algorithm>
#include <cmath>

#include "engine/CellMath.h"
#include "engine/CoreMember.h"
#include "engine/PairLanes.h"
#include "engine/WORLD_SETTINGS.h"

namespace app {

ForcePass::ForcePass(CoreMember& core, const WORLD_SETTINGS& world)
    : m_(core),
      world_(world),
      items_(core.infoList.Items()),
      sides_(core.sides.Data()),
      x_(core.sideX.Data()),
      y_(core.sideY.Data()),
      partners_(core.partners.Data()) {
    const int32_t capacity = core.gridWidth * kCellCapacity;
    for (int32_t r = 0; r < 2; ++r) {
        rows_[r].base = r * capacity;
        rows_[r].starts = core.sideStarts.Data() + r * core.gridWidth;
    }
}

void ForcePass::Run() {
    // The border ring is always empty, so only the inner rows are visited; the row below each
    // is copied before the row itself is worked through.
    CopyRow(1, rows_[1]);
    for (int32_t i = 1; i < m_.gridHeight - 1; ++i) {
        CopyRow(i + 1, rows_[(i + 1) & 1]);
        RunRow(i);
    }
}

// Copies the particles of cell row `row` in scan order, with their sums in the row's half of
// the accumulators (all zero: the particles of two rows earlier cleared them).
void ForcePass::CopyRow(int32_t row, SIDEROW& side) {
    side.count = 0;
    side.first = 1;
    side.last = 0;
    if (row < 1 || row > m_.gridHeight - 2)
        return;
    int32_t first = 0, last = 0;
    m_.OccupiedColumns(row, first, last);
    first = std::max(first, 1);
    last = std::min(last, m_.gridWidth - 2);
    CELL* cells = &m_.CellAt(0, row);
    SUM* sums = m_.sums[row & 1].Data();
    int32_t n = 0;
    for (int32_t j = first; j <= last; ++j) {
        side.starts[j] = n;
        CELL& cell = cells[j];
        for (int32_t k = 0; k < cell.count; ++k, ++n) {
            PARTICLE& p = cell.particles[k];
            const PARTICLE_INFO_KEY& key = items_[p.info].key;
            const int32_t g = side.base + n;
            sides_[g] = {p.vx, p.vy, key.Gravity, key.Repulsion, key.Viscosity, &p, &sums[n], &key, j};
            x_[g] = PackedPosition(j, p.fx);
            y_[g] = PackedPosition(row, p.fy);
        }
    }
    side.first = first;
    side.last = last;
    side.count = n;
}

void ForcePass::RunRow(int32_t row) {
    const SIDEROW& here = rows_[row & 1];
    const SIDEROW& below = rows_[(row + 1) & 1];
    for (int32_t g = here.base; g < here.base + here.count; ++g) {
        const PAIRSIDE& side = sides_[g];
        const PARTICLE_INFO_KEY& key = *side.key;
        SUM& sum = *side.sum;
        PAIRACTOR a;
        a.force = _mm_loadu_pd(&sum.forceX);
        a.velocity = _mm_loadu_pd(&sum.velocitySumX);
        a.weight = _mm_load_sd(&sum.weight);
        a.v = _mm_loadu_pd(&side.vx);
        a.gravity = side.gravity;
        a.repulsion = side.repulsion;
        a.viscosity = side.viscosity;
        a.gravityArea = key.gravityArea;
        a.repulsionArea = key.RepulsionArea;
        a.viscosityArea = key.ViscosityArea;
        a.x = x_[g];
        a.y = y_[g];
        const int32_t j = side.column;
        SumPairs(a, g, here.Start(j + 2), below.Start(j - 1), below.Start(j + 2));
        SUM total;
        _mm_storeu_pd(&total.forceX, a.force);
        _mm_storeu_pd(&total.velocitySumX, a.velocity);
        _mm_store_sd(&total.weight, a.weight);
        UpdateVelocity(*side.particle, total, j, row);
        sum = SUM{0.0, 0.0, 0.0, 0.0, 0.0};
    }
}

// Particle `self` with the rest of its cell and the cell to its right (up to rowEnd), then with
// the three cells below (belowBegin ... belowEnd - 1): each pair once, in scan order.
void ForcePass::SumPairs(PAIRACTOR& actor, int32_t self, int32_t rowEnd, int32_t belowBegin, int32_t belowEnd) {
    PAIRACTOR a = actor;  // a local copy stays in registers
    int32_t* list = partners_;
    int32_t n = NearCandidates(x_, y_, self + 1, rowEnd, a.x, a.y, list);
    n += NearCandidates(x_, y_, belowBegin, belowEnd, a.x, a.y, list + n);
    int32_t t = 0;
    for (; t + 1 < n; t += 2)
        PairTwo(a, sides_[list[t]], sides_[list[t + 1]], x_, y_, list[t], list[t + 1]);
    if (t < n)
        PairOne(a, sides_[list[t]], x_[list[t]], y_[list[t]]);
    actor = a;
}

void ForcePass::UpdateVelocity(PARTICLE& p, const SUM& sum, int32_t column, int32_t row) {
    const PARTICLE_INFO_KEY& s = items_[p.info].key;
    double vx = p.vx;
    double vy = p.vy;
    if (s.UseSpin && p.age != 0 && IsMultiple(p.age, s.SpinStep))
        Turn(vx, vy, s.SpinAngle, s.SpinAngleWiggle);
    if (sum.weight > 0.0) {
        const double meanX = sum.velocitySumX / sum.weight;
        const double meanY = sum.velocitySumY / sum.weight;
        const double q = s.Viscosity * std::min(sum.weight, 1.0);
        vx = (1.0 - q) * vx + q * meanX;
        vy = (1.0 - q) * vy + q * meanY;
    }
    vx += sum.forceX;
    vy += sum.forceY;
    const Vector2 g = world_.GravityType == GravityRadial
                          ? WorldGravity(world_, CellX(column, p), CellY(row, p), m_.gridWidth, m_.gridHeight)
                          : Vector2{world_.engineGravityX, world_.engineGravityY};
    vx += g.x;
    vy += g.y;
    if (s.Brake < 1.0) {
        vx = s.Brake * vx;
        vy = s.Brake * vy;
    }
    if (s.UseLimitedSpeed) {
        const double speed = std::sqrt(vx * vx + vy * vy);
        if (speed > s.LimitedSpeed) {
            vx = vx * s.LimitedSpeed / speed;
            vy = vy * s.LimitedSpeed / speed;
        }
    }
    p.vx = static_cast<float>(vx);
    p.vy = static_cast<float>(vy);
}

}  // namespace app
