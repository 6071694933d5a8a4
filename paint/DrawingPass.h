#pragma once

#include <cstdint>
#include <memory>

#include "engine/ParticleDrawer.h"

namespace app {

class DrawingPassMember;
struct DRAWWORK;

// The first pass of a turn, installed into the engine by the document: every live particle
// splats its brush mark into a 64-row accumulation ring, coloured by its style's rule, and each
// image row is composited into the image by the drawing mode as soon as no later cell row can
// reach it.  Moves nothing; in blur mode each particle picks up the colour under it.  Allocates
// nothing during a turn and leaves the ring empty again.
class DrawingPass : public ParticleDrawer {
  public:
    DrawingPass();
    ~DrawingPass() override;
    DrawingPass(const DrawingPass&) = delete;
    DrawingPass& operator=(const DrawingPass&) = delete;

    // Builds the storage for an image `width` pixels wide: the brush masks, then the ring,
    // emptied.  A width whose ring size overflows raises code 12.
    void Build(int32_t width);
    // The ring's byte size for that width, checked as Build checks it (code 12 on overflow).
    static int32_t RingBytesFor(int32_t width);
    void Draw(const PARTICLEGRID& grid) override;

    // The ring's records, for tests that check it is left empty.
    const DRAWWORK* Ring() const noexcept;
    int32_t RingCount() const noexcept;

  private:
    std::unique_ptr<DrawingPassMember> m_;
};

constexpr int32_t kDrawRingRows = 64;

}  // namespace app
