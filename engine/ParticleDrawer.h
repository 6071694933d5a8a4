#pragma once

#include "engine/PARTICLEGRID.h"

namespace app {

// The first pass of every turn, installed by the document: draws every live particle where it
// stands, before any particle moves.  It may rewrite each particle's carried colour (blur mode)
// but moves nothing and allocates nothing.
class ParticleDrawer {
  public:
    virtual ~ParticleDrawer() = default;
    virtual void Draw(const PARTICLEGRID& grid) = 0;
};

}  // namespace app
