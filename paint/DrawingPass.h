#pragma once

namespace app {

class CoreMember;

// Builds the drawing pass's storage for the engine's image width: the brush masks, then the
// 64-row accumulation ring, emptied.  A width whose ring size overflows raises code 12.
void BuildDrawingStorage(CoreMember& core);

// The first part of a turn: every live particle splats its brush mark into the ring, coloured
// by its style's rule, and each image row is composited into the engine's image by the drawing
// mode as soon as no later cell row can reach it.  Moves nothing; in blur mode each particle
// picks up the colour under it.  Allocates nothing and leaves the ring empty again.
void DrawParticles(CoreMember& core);

}  // namespace app
