#pragma once

#include <cstdint>
#include <memory>

#include "base/Geometry.h"
#include "engine/PARTICLEGRID.h"
#include "engine/SPAWN_REQUEST.h"
#include "engine/STROKESTATE.h"

namespace app {

class CoreMember;
class Image;
class ParticleDrawer;
class WorkCrew;
struct SPRAYSTYLE;

// The particle engine: the particles in their grid, the table of style snapshots and the
// scratch storage of a turn.  One per document.  A turn (Step) runs three passes: the drawing
// pass that the document installs, the force pass and the motion pass.
class Core {
  public:
    Core();
    ~Core();
    Core(const Core&) = delete;
    Core& operator=(const Core&) = delete;

    // Stores the document image's size; Init follows.
    void SetSize(int32_t width, int32_t height);
    // Builds the grid for the stored size, before any particle exists.  Sizes that overflow 32
    // bits raise code 12.
    void Init();
    // The same checks for an image of that size, without building anything (code 11 for a
    // negative size, 12 for one whose grid overflows).
    static void CheckSize(int32_t width, int32_t height);
    // The bytes the engine works in for an image of that size (its two grids with their row
    // records, and the first force-pass band), for a caller that weighs them against the
    // picture; the size has passed CheckSize.
    static int64_t WorkingBytes(int32_t width, int32_t height);
    // How many threads a turn's passes share their work among (the caller included); the result
    // of a turn does not depend on it.  By default as many as the system has processors.  Not
    // during a turn.
    void SetThreadCount(int32_t threads);
    int32_t ThreadCount() const noexcept;
    // The threads themselves, for other work of the document between turns.
    WorkCrew& Crew() noexcept;
    // The document image that turns draw into; also read by blur-mode emission.
    void SetImage(Image* image) noexcept;
    // The drawing pass of every turn; none (null) draws nothing.
    void SetDrawer(ParticleDrawer* drawer) noexcept;

    // Removes every particle, then sets the drawing mode (a DrawingMode).
    void SetMode(int32_t mode);
    int32_t Mode() const noexcept;

    // One turn: drawing pass, force pass with velocity updates, motion pass, grid exchange.
    void Step();
    void Step(Image& image);

    void EraseAll() noexcept;
    // Some particle lives, or a stroke holds its snapshot.
    bool IsAlive() const noexcept;

    // Snapshot of an engine-form style, with one reference; released by ReleaseStyle.
    int32_t AcquireStyle(const SPRAYSTYLE& style);
    void ReleaseStyle(int32_t index) noexcept;

    // Adds one particle; outside the inner grid area, non-finite or in a full cell it is
    // dropped without taking a reference.
    void Emit(const SPAWN_REQUEST& request);

    // Stroke emission, called by the free-hand tool.  The tool has filled `stroke` (engine-form
    // style, its snapshot, turns 0, carry (0, 0)) before EmitFirst.
    void EmitFirst(STROKESTATE& stroke, const Vector2& position);
    void EmitBatch(STROKESTATE& stroke, const Vector2& position);
    void EmitOne(const STROKESTATE& stroke, int32_t i, const Vector2& p, const Vector2& m);

    int32_t ParticleCount() const noexcept;
    // The current grid as the drawing pass sees it.
    PARTICLEGRID Grid() noexcept;
    // The engine's state, for its passes and its own tests.
    CoreMember& Members() noexcept;
    const CoreMember& Members() const noexcept;

  private:
    std::unique_ptr<CoreMember> m_;
};

}  // namespace app
