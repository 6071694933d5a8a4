#pragma once

#include <cstdint>

#include "engine/PARTICLEGRID.h"
#include "paint/DRAWBAND.h"
#include "paint/ParticleDrawing.h"

namespace app {

class ChangedArea;

// The drawing pass over the image rows top ... bottom - 1, in a band's own storage: the
// particles of the cell rows that can reach those rows splat, in scan order, the part of their
// mark that lies there, and each row is composited right after the cell row after which the
// whole pass composites it.  A blurring particle picks up its next colour in the band that holds
// the row it picks it up from; where its mark reaches another band too, the new colour waits
// among the band's pick-ups until every band has drawn with the old one.  So every record
// receives the same marks in the same order, and every pixel is composited and read at the same
// moment of its band as in one pass over the whole image.
class DrawingBand {
  public:
    // Every block of pixels it may composite is marked in `changes`, when there is one.
    DrawingBand(const PARTICLEGRID& grid,
                DRAWBAND& band,
                const unsigned char* masks,
                int32_t top,
                int32_t bottom,
                ChangedArea* changes);
    void Run();

    // The ring's block bits per ring row.
    static int32_t TouchWords(int32_t width) noexcept;

  private:
    uint16_t* Weights(int32_t y) const;
    uint32_t* Colours(int32_t y) const;
    uint64_t* Touched(int32_t y) const;
    uint64_t* Heavy(int32_t y) const;
    unsigned char* Pixel(int32_t x, int32_t y) const;

    void SplatCellRow(int32_t i);
    void SplatParticle(int32_t column, int32_t row, PARTICLE& p);
    void PickUp(const MARK& mark, PARTICLE& p);
    uint32_t Colour(const PARTICLE& p);
    void Lay(const MARK& mark, uint32_t colour);
    void ResolveRows(int32_t y0, int32_t y1);
    // The blocks composited in the 16 rows of the tile row being resolved go to the changed area
    // once those rows are done: one mark per tile row instead of one per pixel row.
    void NoteChanged(int32_t y, const uint64_t* heavy);
    void FlushChanged();
    void PrefetchImage(int32_t y) const;

    const PARTICLEGRID& grid_;
    DRAWBAND& band_;
    unsigned char* pixels_;
    int32_t stride_;
    uint16_t* weights_;
    uint32_t* colours_;
    uint64_t* touched_;
    uint64_t* heavy_;
    int32_t words_;
    int32_t ringMask_;  // rows in flight are fewer than the ring's rows: y & ringMask_ is their row
    const unsigned char* masks_;
    int32_t top_;
    int32_t bottom_;
    ChangedArea* changes_;
    uint64_t* changed_;
    int32_t changedRow_ = -1;  // the tile row whose blocks changed_ holds
};

}  // namespace app
