#include "engine/ForcePass.h"

#include <algorithm>
#include <cmath>

#include "engine/CellMath.h"
#include "engine/CoreMember.h"
#include "engine/WORLD_SETTINGS.h"

namespace app {

ForcePass::ForcePass(CoreMember& core, const WORLD_SETTINGS& world)
    : m_(core), world_(world), items_(core.infoList.Items()) {}

void ForcePass::Run() {
    const int32_t gridWidth = m_.gridWidth;
    CELL* cells = m_.cells.Data();
    SUM* rows[2] = {m_.sums[0].Data(), m_.sums[1].Data()};
    // The border ring is always empty, so only the inner cells are visited; their forward
    // neighbours then always exist.
    for (int32_t i = 1; i < m_.gridHeight - 1; ++i) {
        SUM* row = rows[i & 1];
        SUM* below = rows[(i + 1) & 1];
        CELL* cellRow = cells + i * gridWidth;
        for (int32_t j = 1; j < gridWidth - 1; ++j) {
            CELL& cell = cellRow[j];
            const int32_t count = cell.count;
            for (int32_t k = 0; k < count; ++k) {
                AccumulatePairs(cellRow, cellRow + gridWidth, row, below, j, i, k);
                UpdateVelocity(cell.particles[k], row[j * kCellCapacity + k], j, i);
            }
        }
    }
}

// Particle k of cell (j, i) with the later particles of its cell and every particle of the four
// forward neighbours: right, and the three below.  Each pair is met exactly once.
void ForcePass::AccumulatePairs(CELL* cellRow, CELL* belowRow, SUM* row, SUM* below, int32_t j, int32_t i, int32_t k) {
    const CELL& cell = cellRow[j];
    const PARTICLE& p = cell.particles[k];
    const SIDE a = {p, CellX(j, p), CellY(i, p), row[j * kCellCapacity + k]};
    const PARTICLE_INFO_KEY& ka = items_[p.info].key;
    for (int32_t l = k + 1; l < cell.count; ++l) {
        const PARTICLE& q = cell.particles[l];
        Pair(a, ka, {q, CellX(j, q), CellY(i, q), row[j * kCellCapacity + l]});
    }
    PairWithCell(a, ka, cellRow[j + 1], row + (j + 1) * kCellCapacity, j + 1, i);
    PairWithCell(a, ka, belowRow[j - 1], below + (j - 1) * kCellCapacity, j - 1, i + 1);
    PairWithCell(a, ka, belowRow[j], below + j * kCellCapacity, j, i + 1);
    PairWithCell(a, ka, belowRow[j + 1], below + (j + 1) * kCellCapacity, j + 1, i + 1);
}

void ForcePass::PairWithCell(const SIDE& a,
                             const PARTICLE_INFO_KEY& ka,
                             const CELL& cell,
                             SUM* sums,
                             int32_t column,
                             int32_t row) {
    const int32_t count = cell.count;
    for (int32_t l = 0; l < count; ++l) {
        const PARTICLE& q = cell.particles[l];
        Pair(a, ka, {q, CellX(column, q), CellY(row, q), sums[l]});
    }
}

// Equal and opposite forces and the viscosity sums of one pair; the ranges are A's.
void ForcePass::Pair(const SIDE& a, const PARTICLE_INFO_KEY& ka, const SIDE& b) {
    // Positions are multiples of 1/32768 well inside 53 bits, so these differences are exact.
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    const double d2 = dx * dx + dy * dy;
    if (d2 > 1.0)
        return;
    double fx = 0.0;
    double fy = 0.0;
    if (d2 > 0.0) {
        const PARTICLE_INFO_KEY& kb = items_[b.particle.info].key;
        const double dist = std::sqrt(d2);
        double force = 0.0;
        const double la = 1.0 - ka.gravityArea * dist;
        if (la > 0.0)
            force = ka.Gravity * kb.Gravity * la;
        const double lr = 1.0 - ka.RepulsionArea * d2;
        if (lr > 0.0)
            force = force - ka.Repulsion * kb.Repulsion * lr;
        fx = force * dx / dist;
        fy = force * dy / dist;
        const double lv = 1.0 - ka.ViscosityArea * dist;
        if (lv > 0.0) {
            const double wa = kb.Viscosity * lv;
            a.sum.velocitySumX += b.particle.vx * wa;
            a.sum.velocitySumY += b.particle.vy * wa;
            a.sum.weight += wa;
            const double wb = ka.Viscosity * lv;
            b.sum.velocitySumX += a.particle.vx * wb;
            b.sum.velocitySumY += a.particle.vy * wb;
            b.sum.weight += wb;
        }
    } else if (ka.Gravity > 0.0 || ka.Repulsion > 0.0) {
        // Coincident particles drift apart instead of staying stuck together.
        fx = Random() * 0.01 / kRandomMax;
        fy = Random() * 0.01 / kRandomMax;
    }
    a.sum.forceX += fx;
    a.sum.forceY += fy;
    b.sum.forceX -= fx;
    b.sum.forceY -= fy;
}

void ForcePass::UpdateVelocity(PARTICLE& p, SUM& sum, int32_t column, int32_t row) {
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
    sum = SUM{0.0, 0.0, 0.0, 0.0, 0.0};
}

}  // namespace app
