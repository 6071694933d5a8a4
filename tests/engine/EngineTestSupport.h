#pragma once

#include <cstdint>
#include <map>

#include "engine/Core.h"
#include "engine/CoreMember.h"
#include "engine/Random.h"
#include "engine/SPRAYSTYLE.h"
#include "engine/WORLD_SETTINGS.h"

namespace enginetest {

// Puts the random generator and the world settings back after a test that changes them.
class KeepGlobals {
  public:
    KeepGlobals() : state_(app::RandomState()), world_(app::GetWorldSettings()) {}
    ~KeepGlobals() {
        app::RestoreRandomState(state_);
        app::SetWorldSettings(world_);
    }

  private:
    uint32_t state_;
    app::WORLD_SETTINGS world_;
};

// A world without gravity, so that a turn shows only what the particles do to each other.
inline void SetWorld(double gravityX, double gravityY, double lively, int32_t type = app::GravityParallel) {
    app::WORLD_SETTINGS world;
    world.GravityX = gravityX;
    world.GravityY = gravityY;
    world.Lively = lively;
    world.GravityType = type;
    app::SetWorldSettings(world);
}

inline app::SPRAYSTYLE EngineStyle(app::SPRAYSTYLE style) {
    style.ToEngineUnits();
    return style;
}

// A user-form style whose velocity update adds nothing but the neighbour terms.
inline app::SPRAYSTYLE PlainStyle() {
    app::SPRAYSTYLE style;
    style.Brake = 0.0;
    style.Life = 1000;
    style.SplitRate = 0.0001;
    return style;
}

// Places a particle exactly, taking its reference as Emit does.
inline app::PARTICLE& Place(app::Core& core,
                            int32_t info,
                            int32_t column,
                            int32_t row,
                            uint16_t fx,
                            uint16_t fy,
                            float vx = 0,
                            float vy = 0,
                            int32_t age = 0,
                            int32_t generations = 0) {
    app::CoreMember& m = core.Members();
    app::PARTICLE& p = m.Place(column, row);
    p = app::PARTICLE{fx, fy, vx, vy, age, info, generations, 0};
    m.infoList.AddRef(info);
    return p;
}

// Whether every force-pass sum of every band is zero, as each pass must leave them.
inline bool SumsAreClear(const app::CoreMember& m) {
    for (const app::FORCEBAND& band : m.bands) {
        for (int32_t s = 0; s < band.sums.Count(); ++s) {
            const app::SUM& z = band.sums.ConstData()[s];
            if (z.forceX != 0 || z.forceY != 0 || z.velocitySumX != 0 || z.velocitySumY != 0 || z.weight != 0)
                return false;
        }
    }
    return true;
}

// Number of particles per snapshot index, over the whole current grid.
inline std::map<int32_t, int32_t> HoldersByInfo(app::Core& core) {
    std::map<int32_t, int32_t> holders;
    app::CoreMember& m = core.Members();
    const app::CELL* cells = m.cells.ConstData();
    for (int32_t c = 0; c < m.cells.Count(); ++c) {
        for (int32_t k = 0; k < cells[c].count; ++k)
            ++holders[cells[c].particles[k].info];
    }
    return holders;
}

}  // namespace enginetest
