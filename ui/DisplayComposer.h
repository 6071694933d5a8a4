#pragma once

#include <cstdint>
#include <memory>

#include "base/Geometry.h"
#include "base/Image.h"
#include "ui/ViewGeometry.h"

namespace app {

class DisplayComposerMember;

// The view's backgrounds, as the options record stores them.
enum ViewBackground : int32_t {
    BackgroundChecker = 0,
    BackgroundBlack = 1,
    BackgroundWhite = 2,
};

// Builds what the view shows of the document image: the visible part of the zoomed image,
// sampled nearest-neighbour in 16.16 fixed point and laid over the background by each pixel's
// opacity, as a 24-bit top-down bitmap (blue, green, red; rows padded to 4 bytes) that
// SetDIBitsToDevice takes as it stands.
class DisplayComposer {
  public:
    DisplayComposer();
    ~DisplayComposer();
    DisplayComposer(const DisplayComposer&) = delete;
    DisplayComposer& operator=(const DisplayComposer&) = delete;

    // Composes the part of `imageRect` (the zoomed document in content coordinates) inside
    // `clip` (content coordinates too).  Returns false when there is nothing to draw.  When
    // the buffer cannot be sized, `zoom` drops to 100 if it was larger and nothing is drawn;
    // the failure is passed on only if the previous composition succeeded, so a stream of
    // failing redraws reports once.
    bool Compose(const Image& document, const Rect32& imageRect, const Rect32& clip, int32_t& zoom, int32_t background);
    // The same, sampled as a composition that starts at `anchor` (content coordinates, the
    // visible area's top-left corner) would sample it: a part composed again matches the pixels
    // around it, whatever the zoom.
    bool Compose(const Image& document,
                 const Rect32& imageRect,
                 const Rect32& clip,
                 int32_t& zoom,
                 int32_t background,
                 Point32 anchor);

    // The composed bitmap and where its top-left corner goes, in content coordinates.
    const Image& Buffer() const;
    Point32 BufferOrigin() const;
    bool LastDrawSucceeded() const;

    // The background's grey level at a content point: the checker has 16-pixel cells fixed to
    // the content, so it keeps its size at every zoom and moves with scrolling.
    static int32_t BackgroundLevel(int32_t background, int32_t x, int32_t y);

  private:
    void SizeBuffer(int32_t width, int32_t height);
    void ComposeRows(const Image& document, Point32 source, Point32 skip, int32_t zoom, int32_t background);

    std::unique_ptr<DisplayComposerMember> m_;
};

}  // namespace app
