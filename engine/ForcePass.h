#pragma once

#include <cstdint>

namespace app {

class CoreMember;
struct WORLD_SETTINGS;

// The second pass of a turn: the pair forces and viscosity sums between neighbouring particles,
// each particle's velocity updated as soon as its own pairs are summed (ForceBand does the
// work).  With a crew of several threads the inner rows are cut into bands of about equal
// numbers of particles, worked through side by side: a band works out for itself what the row
// above it gives its first row, each band draws from the random sequence exactly where the
// bands above it leave it, and every sum receives the same terms in the same order as in one
// pass from top to bottom, so the result does not depend on the number of threads.  Allocates
// nothing.
class ForcePass {
  public:
    ForcePass(CoreMember& core, const WORLD_SETTINGS& world);
    void Run();

  private:
    int32_t CutBands(int32_t* starts) const;

    CoreMember& m_;
    const WORLD_SETTINGS& world_;
};

}  // namespace app
