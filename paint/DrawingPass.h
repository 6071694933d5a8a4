#pragma once

#include <cstdint>
#include <memory>

#include "base/ImageSize.h"
#include "base/WorkCrew.h"
#include "engine/ParticleDrawer.h"

namespace app {

// The most rows an accumulation ring holds: the rows that marks still in flight may reach.
constexpr int32_t kDrawRingRows = 64;

class ChangedArea;
class DrawingPassMember;

// The first pass of a turn, installed into the engine by the document: every live particle
// splats its brush mark into a 64-row accumulation ring, coloured by its style's rule, and each
// image row is composited into the image by the drawing mode as soon as no later cell row can
// reach it.  Moves nothing; in blur mode each particle picks up the colour under it.  Allocates
// nothing during a turn and leaves the ring empty again.  With the engine's crew of threads the
// image is cut into bands of rows drawn side by side, each in a ring of its own (DrawingBand);
// the image and the particles come out the same for any number of threads.
class DrawingPass : public ParticleDrawer {
  public:
    DrawingPass();
    ~DrawingPass() override;
    DrawingPass(const DrawingPass&) = delete;
    DrawingPass& operator=(const DrawingPass&) = delete;

    // Builds the storage for an image `width` pixels wide, for the bands a crew of `threads`
    // draws: the brush masks, then the rings, emptied.  A width whose ring size overflows raises
    // code 12.
    void Build(int32_t width, int32_t threads = DefaultCrewSize());
    // The same for an image of that size: a picture lower than the ring needs only as many ring
    // rows as it has (rounded up to a power of two), so a very wide, low picture costs a ring of
    // its own size rather than 64 rows of its width.
    void BuildFor(ImageSize size, int32_t threads = DefaultCrewSize());
    // The byte size of one band's ring for that size, checked as Build checks it (code 12 on
    // overflow).
    static int32_t RingBytesFor(int32_t width, int32_t height = kDrawRingRows);
    void Draw(const PARTICLEGRID& grid) override;
    // Where the pass marks the blocks of pixels it may change; none (null) marks nothing.
    void SetChangedArea(ChangedArea* changes) noexcept;
    // Below this many particles (2048 unless set) a turn is drawn in one band.
    void SetFewestToShare(int32_t particles) noexcept;

    // Whether the rings are empty, as every turn leaves them, and how many records each holds.
    bool RingIsEmpty() const noexcept;
    int32_t RingCount() const noexcept;

  private:
    std::unique_ptr<DrawingPassMember> m_;
};

}  // namespace app
