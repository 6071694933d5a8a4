#pragma once

// A turn of the engine without drawing, written as a plain reading of its rules: every cell of
// the grid in scan order, each pair through the full formula, no packing, no lanes, no row
// records.  The engine's own passes must leave exactly the same bytes.
#include <algorithm>
#include <cmath>
#include <vector>

#include "engine/CoreMember.h"
#include "engine/Random.h"
#include "engine/SPRAYSTYLE.h"
#include "engine/WORLD_SETTINGS.h"

namespace enginetest {

class PlainTurn {
  public:
    explicit PlainTurn(app::CoreMember& m)
        : m_(m), world_(app::WorldSettings()), sums_(2 * static_cast<size_t>(m.gridWidth) * app::kCellCapacity) {}

    void Run() {
        Forces();
        Motion();
        m_.cells.Swap(m_.nextCells);
        m_.rows.Swap(m_.nextRows);
    }

  private:
    struct At {
        app::PARTICLE& p;
        double x, y;
        app::SUM& sum;
    };

    const app::PARTICLE_INFO_KEY& Key(const app::PARTICLE& p) const { return m_.infoList.Item(p.info).key; }
    app::CELL& Cell(int32_t j, int32_t i) { return m_.CellAt(j, i); }
    app::SUM& Sum(int32_t j, int32_t i, int32_t k) {
        return sums_[(static_cast<size_t>(i & 1) * m_.gridWidth + j) * app::kCellCapacity + k];
    }
    At Side(int32_t j, int32_t i, int32_t k) {
        app::PARTICLE& p = Cell(j, i).particles[k];
        return {p, j + p.fx / 32768.0, i + p.fy / 32768.0, Sum(j, i, k)};
    }

    void Forces() {
        for (int32_t i = 1; i < m_.gridHeight - 1; ++i) {
            for (int32_t j = 1; j < m_.gridWidth - 1; ++j) {
                for (int32_t k = 0; k < Cell(j, i).count; ++k) {
                    const At a = Side(j, i, k);
                    for (int32_t l = k + 1; l < Cell(j, i).count; ++l)
                        Pair(a, Side(j, i, l));
                    const int32_t neighbours[4][2] = {{j + 1, i}, {j - 1, i + 1}, {j, i + 1}, {j + 1, i + 1}};
                    for (const auto& n : neighbours) {
                        for (int32_t l = 0; l < Cell(n[0], n[1]).count; ++l)
                            Pair(a, Side(n[0], n[1], l));
                    }
                    Update(a);
                }
            }
        }
    }

    void Pair(const At& a, const At& b) {
        const app::PARTICLE_INFO_KEY& ka = Key(a.p);
        const app::PARTICLE_INFO_KEY& kb = Key(b.p);
        const double dx = b.x - a.x, dy = b.y - a.y;
        const double d2 = dx * dx + dy * dy;
        if (d2 > 1.0)
            return;
        double fx = 0.0, fy = 0.0;
        if (d2 > 0.0) {
            const double dist = std::sqrt(d2);
            double m = 0.0;
            const double la = 1.0 - ka.gravityArea * dist;
            if (la > 0.0)
                m = ka.Gravity * kb.Gravity * la;
            const double lr = 1.0 - ka.RepulsionArea * d2;
            if (lr > 0.0)
                m = m - ka.Repulsion * kb.Repulsion * lr;
            fx = m * dx / dist;
            fy = m * dy / dist;
            const double lv = 1.0 - ka.ViscosityArea * dist;
            if (lv > 0.0) {
                const double wa = kb.Viscosity * lv, wb = ka.Viscosity * lv;
                a.sum.velocitySumX += b.p.vx * wa;
                a.sum.velocitySumY += b.p.vy * wa;
                a.sum.weight += wa;
                b.sum.velocitySumX += a.p.vx * wb;
                b.sum.velocitySumY += a.p.vy * wb;
                b.sum.weight += wb;
            }
        } else if (ka.Gravity > 0.0 || ka.Repulsion > 0.0) {
            fx = app::Random() * 0.01 / 32767;
            fy = app::Random() * 0.01 / 32767;
        }
        a.sum.forceX += fx;
        a.sum.forceY += fy;
        b.sum.forceX -= fx;
        b.sum.forceY -= fy;
    }

    void Update(const At& a) {
        const app::PARTICLE_INFO_KEY& s = Key(a.p);
        app::SUM& sum = a.sum;
        double vx = a.p.vx, vy = a.p.vy;
        if (s.UseSpin && a.p.age != 0 && a.p.age % s.SpinStep == 0)
            Turn(vx, vy, s.SpinAngle, s.SpinAngleWiggle);
        if (sum.weight > 0.0) {
            const double q = s.Viscosity * std::min(sum.weight, 1.0);
            vx = (1.0 - q) * vx + q * (sum.velocitySumX / sum.weight);
            vy = (1.0 - q) * vy + q * (sum.velocitySumY / sum.weight);
        }
        vx += sum.forceX;
        vy += sum.forceY;
        const app::Vector2 g = app::WorldGravity(world_, a.x, a.y, m_.gridWidth, m_.gridHeight);
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
        a.p.vx = static_cast<float>(vx);
        a.p.vy = static_cast<float>(vy);
        sum = app::SUM{0, 0, 0, 0, 0};
    }

    static void Turn(double& vx, double& vy, double a, double w) {
        if (a == 0.0 && w == 0.0)
            return;
        const double alpha = a + w * app::RandomUnit() - w * 0.5;
        const double c = std::cos(alpha), s = std::sin(alpha);
        const double x = vx * c + vy * s, y = -vx * s + vy * c;
        vx = x;
        vy = y;
    }

    void Motion() {
        for (int32_t i = 0; i < m_.gridHeight; ++i) {
            m_.rows.Data()[i] = app::CELLROW{};  // this grid is the next one after the exchange
            for (int32_t j = 0; j < m_.gridWidth; ++j) {
                app::CELL& cell = Cell(j, i);
                const int32_t n = cell.count;
                cell.count = 0;
                for (int32_t k = 0; k < n; ++k)
                    MoveParticle(cell.particles[k], j, i);
            }
        }
    }

    void MoveParticle(const app::PARTICLE& p, int32_t j, int32_t i) {
        const app::PARTICLE_INFO_KEY& s = Key(p);
        if (p.age >= s.Life) {
            m_.infoList.Release(p.info);
            return;
        }
        const bool split = s.UseSplit && p.age != 0 && p.generations > 0 && app::RandomUnit() <= s.SplitRate;
        if (!split) {
            Move(p, j, i, 0, 0, p.generations);
        } else {
            const bool first = p.age % s.SplitStep1 == 0;
            const bool fork = first && s.SplitMode == app::SplitFork;
            if (first)
                Move(p, j, i, s.SplitAngle1, s.SplitAngleWiggle, p.generations - 1);
            if (!fork)
                Move(p, j, i, 0, 0, p.generations);
            if (fork || (s.SplitMode == app::SplitTwoBranches && (int64_t{p.age} - s.SplitLag) % s.SplitStep2 == 0))
                Move(p, j, i, s.SplitAngle2, s.SplitAngleWiggle, p.generations - 1);
        }
        m_.infoList.Release(p.info);
    }

    void Move(const app::PARTICLE& p, int32_t j, int32_t i, double a, double w, int32_t generations) {
        double vx = p.vx, vy = p.vy;
        Turn(vx, vy, a, w);
        const double x = (j + p.fx / 32768.0) + vx * world_.Lively;
        const double y = (i + p.fy / 32768.0) + vy * world_.Lively;
        if (!(x >= 1.0 && x < m_.gridWidth - 1.0 && y >= 1.0 && y < m_.gridHeight - 1.0))
            return;
        const int32_t nx = static_cast<int32_t>(x), ny = static_cast<int32_t>(y);
        app::CELL& cell = m_.nextCells.Data()[ny * m_.gridWidth + nx];
        if (cell.count >= app::kCellCapacity)
            return;
        app::PARTICLE& copy = cell.particles[cell.count++];
        copy.fx = static_cast<uint16_t>((x - std::floor(x)) * 32768.0);
        copy.fy = static_cast<uint16_t>((y - std::floor(y)) * 32768.0);
        copy.vx = static_cast<float>(vx);
        copy.vy = static_cast<float>(vy);
        copy.info = p.info;
        copy.age = p.age + 1;
        copy.generations = generations;
        copy.colour = p.colour;
        m_.infoList.AddRef(p.info);
        m_.nextRows.Data()[ny].Placed(nx);
    }

    app::CoreMember& m_;
    const app::WORLD_SETTINGS& world_;
    std::vector<app::SUM> sums_;  // two rows of gridWidth x 32, zero between rows
};

}  // namespace enginetest
