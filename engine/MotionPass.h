#pragma once

#include <cstdint>

#include "engine/CELL.h"
#include "engine/PARTICLE_INFO_ITEM.h"

namespace app {

class CoreMember;
struct WORLD_SETTINGS;

// The third pass of a turn: every particle ages, dies at the end of its life or moves (splitting
// when its style says so) into the next grid, which the engine then makes the current one.  Each
// placed copy takes its own snapshot reference and the old particle gives its one back.
class MotionPass {
  public:
    MotionPass(CoreMember& core, const WORLD_SETTINGS& world);
    void Run();

  private:
    void MoveParticle(const PARTICLE& p, int32_t column, int32_t row);
    void Move(const PARTICLE& p, int32_t column, int32_t row, double a, double w, int32_t generations);

    CoreMember& m_;
    const WORLD_SETTINGS& world_;
    const PARTICLE_INFO_ITEM* items_;
    CELL* next_;
    CELLROW* nextRows_;
};

}  // namespace app
