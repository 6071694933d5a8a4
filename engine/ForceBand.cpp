#include "engine/ForceBand.h"

#include <algorithm>
#include <cmath>

#include "engine/CellMath.h"
#include "engine/CoreMember.h"
#include "engine/PairLanes.h"
#include "engine/WORLD_SETTINGS.h"

namespace app {

ForceBand::ForceBand(CoreMember& core, const WORLD_SETTINGS& world, FORCEBAND& band)
    : m_(core),
      world_(world),
      band_(band),
      items_(core.infoList.Items()),
      sides_(band.sides.Data()),
      coarse_(band.coarse.Data()),
      columns_(band.columns.Data()),
      sums_(band.sums.Data()),
      partners_(band.partners.Data()),
      terms_(band.terms.Data()) {}

// Copies the particles of cell row `row` in scan order; their sums (at the same indexes) are all
// zero: the particles of two rows earlier cleared them.
void ForceBand::CopyRow(int32_t row) {
    SIDECOPY& copy = Copy(row);
    copy.count = 0;
    copy.first = 1;
    copy.last = 0;
    if (row < 1 || row > m_.gridHeight - 2)
        return;
    int32_t first = 0, last = 0;
    m_.OccupiedColumns(row, first, last);
    first = std::max(first, 1);
    last = std::min(last, m_.gridWidth - 2);
    CELL* cells = &m_.CellAt(0, row);
    int32_t n = 0;
    for (int32_t j = first; j <= last; ++j) {
        copy.starts[j] = n;
        CELL& cell = cells[j];
        for (int32_t k = 0; k < cell.count; ++k, ++n) {
            PARTICLE& p = cell.particles[k];
            const PARTICLE_INFO_KEY& key = items_[p.info].key;
            const int32_t g = copy.base + n;
            sides_[g] = {CellX(j, p), CellY(row, p), p.vx, p.vy, key.Gravity, key.Repulsion, key.Viscosity, &p};
            columns_[g] = j;
            coarse_[g] = CoarsePosition(PackedPosition(j, p.fx), PackedPosition(row, p.fy));
        }
    }
    copy.first = first;
    copy.last = last;
    copy.count = n;
}

void ForceBand::CopyRowBelow(int32_t row) {
    band_.rowBelow = row;
    CopyRow(row);
}

void ForceBand::Run(int32_t first, int32_t last, int32_t copied, RANDOMSTREAM& random) {
    if (!(copied & 2))
        band_.rowBelow = -1;
    CopyRow(first);
    if (first > 1) {
        if (!(copied & 1))
            CopyRow(first - 1);
        ReceiveFromAbove(first);
    }
    for (int32_t i = first; i < last; ++i) {
        if (i + 1 < last || !(copied & 2))
            CopyRow(i + 1);
        RunRow(i, random);
    }
    // What the last row gave the row below it belongs to the band below, which works it out
    // again for itself; this band's copy of it is cleared for the next turn.
    ClearSums(last);
    band_.rowBelow = -1;
}

namespace {

PAIRACTOR Actor(const PAIRSIDE& side, const PARTICLE_INFO_KEY& key, const SUM& sum) {
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
    a.x = side.x;
    a.y = side.y;
    return a;
}

}  // namespace

// The terms that the particles of row `row - 1` add to the sums of row `row`, in the order the
// plain pass adds them: particle by particle, each with its partners below in order.  Pairs of
// two rows are never coincident, so nothing is drawn.
void ForceBand::ReceiveFromAbove(int32_t row) {
    const SIDECOPY& above = Copy(row - 1);
    const SIDECOPY& here = Copy(row);
    RANDOMSTREAM unused{0};
    for (int32_t g = above.base; g < above.base + above.count; ++g) {
        const PAIRACTOR a = Actor(sides_[g], items_[sides_[g].particle->info].key, sums_[g]);
        const int32_t j = columns_[g];
        const int32_t n = NearCandidates(coarse_, here.Start(j - 1), here.Start(j + 2), coarse_[g], partners_);
        WorkOutTerms(a, n, unused);
        for (int32_t t = 0; t < n; ++t)
            AddTermsToB(terms_[t], sums_[partners_[t]]);
    }
}

void ForceBand::RunRow(int32_t row, RANDOMSTREAM& random) {
    const SIDECOPY& here = Copy(row);
    const SIDECOPY& below = Copy(row + 1);
    for (int32_t g = here.base; g < here.base + here.count; ++g) {
        const PAIRSIDE& side = sides_[g];
        PAIRACTOR a = Actor(side, items_[side.particle->info].key, sums_[g]);
        const int32_t j = columns_[g];
        const int32_t n = Partners(g, here.Start(j + 2), below.Start(j - 1), below.Start(j + 2));
        WorkOutTerms(a, n, random);
        for (int32_t t = 0; t < n; ++t)
            AddTerms(a, terms_[t], sums_[partners_[t]]);
        SUM total;
        _mm_storeu_pd(&total.forceX, a.force);
        _mm_storeu_pd(&total.velocitySumX, a.velocity);
        _mm_store_sd(&total.weight, a.weight);
        UpdateVelocity(side, total, random);
        sums_[g] = SUM{0.0, 0.0, 0.0, 0.0, 0.0};
    }
}

// Particle `self`'s forward neighbours: the rest of its cell and the cell to its right (up to
// rowEnd), then the three cells below (belowBegin ... belowEnd - 1), in scan order.
int32_t ForceBand::Partners(int32_t self, int32_t rowEnd, int32_t belowBegin, int32_t belowEnd) {
    const uint32_t position = coarse_[self];
    const int32_t n = NearCandidates(coarse_, self + 1, rowEnd, position, partners_);
    return n + NearCandidates(coarse_, belowBegin, belowEnd, position, partners_ + n);
}

// The terms of A's pairs with partners_[0 ... count - 1], two at a time.
void ForceBand::WorkOutTerms(const PAIRACTOR& a, int32_t count, RANDOMSTREAM& random) {
    const int32_t* list = partners_;
    int32_t t = 0;
    for (; t + 1 < count; t += 2)
        PairTwo(a, sides_[list[t]], sides_[list[t + 1]], terms_ + t, random);
    if (t < count)
        PairOne(a, sides_[list[t]], terms_[t], random);
}

void ForceBand::UpdateVelocity(const PAIRSIDE& side, const SUM& sum, RANDOMSTREAM& random) {
    PARTICLE& p = *side.particle;
    const PARTICLE_INFO_KEY& s = items_[p.info].key;
    double vx = p.vx;
    double vy = p.vy;
    if (s.UseSpin && p.age != 0 && IsMultiple(p.age, s.SpinStep))
        Turn(vx, vy, s.SpinAngle, s.SpinAngleWiggle, random);
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
                          ? WorldGravity(world_, side.x, side.y, m_.gridWidth, m_.gridHeight)
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

void ForceBand::ClearSums(int32_t row) {
    const SIDECOPY& copy = Copy(row);
    for (int32_t g = copy.base; g < copy.base + copy.count; ++g)
        sums_[g] = SUM{0.0, 0.0, 0.0, 0.0, 0.0};
}

int64_t ForceBand::CountDraws(const CoreMember& core, int32_t first, int32_t last) {
    const PARTICLE_INFO_ITEM* items = core.infoList.Items();
    int64_t draws = 0;
    for (int32_t i = first; i < last; ++i) {
        int32_t from = 0, to = 0;
        core.OccupiedColumns(i, from, to);
        for (int32_t j = std::max(from, 1); j <= std::min(to, core.gridWidth - 2); ++j) {
            const CELL& cell = core.cells.ConstData()[i * core.gridWidth + j];
            for (int32_t k = 0; k < cell.count; ++k) {
                const PARTICLE& p = cell.particles[k];
                const PARTICLE_INFO_KEY& s = items[p.info].key;
                // The spin of the velocity update, then the nudges of coincident partners.
                if (s.UseSpin && p.age != 0 && IsMultiple(p.age, s.SpinStep) &&
                    TurnDraws(s.SpinAngle, s.SpinAngleWiggle))
                    ++draws;
                if (!(s.Gravity > 0.0 || s.Repulsion > 0.0))
                    continue;
                for (int32_t l = k + 1; l < cell.count; ++l)
                    draws += cell.particles[l].fx == p.fx && cell.particles[l].fy == p.fy ? 2 : 0;
            }
        }
    }
    return draws;
}

}  // namespace app
