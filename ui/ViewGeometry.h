#pragma once

#include <cstdint>

#include "base/Geometry.h"
#include "base/ImageSize.h"

namespace app {

// One scroll bar's figures: position, page (the client size) and the top of the range (the
// content size); the range starts at 0.
struct SCROLLBAR {
    int32_t position;
    int32_t page;
    int32_t maximum;
};

// The scroll requests of WM_HSCROLL and WM_VSCROLL, by their platform values.
enum ScrollCode : int32_t {
    ScrollLineUp = 0,
    ScrollLineDown = 1,
    ScrollPageUp = 2,
    ScrollPageDown = 3,
    ScrollThumbPosition = 4,
    ScrollThumbTrack = 5,
    ScrollTop = 6,
    ScrollBottom = 7,
    ScrollEnd = 8,
};

// Where the image sits in the view and how view points map onto it.  Content coordinates are
// client coordinates plus the scroll offset; the image sits in the content with a margin of
// 30 pixels left and right and 40 above and below, centred when the client area has room.
class ViewGeometry {
  public:
    static constexpr int32_t kMarginX = 30;
    static constexpr int32_t kMarginY = 40;
    static constexpr int32_t kLineStep = 16;

    // zoom x size / 100 per axis; an overflowing size raises error 11.
    static ImageSize ScaledSize(ImageSize image, int32_t zoom);
    // The scaled image plus both margins: what the scroll bars span.
    static ImageSize ContentSize(ImageSize image, int32_t zoom);
    // The image's top-left corner in content coordinates.
    static Point32 ImageOrigin(ImageSize client, ImageSize image, int32_t zoom);
    // The scaled image's rectangle in content coordinates.
    static Rect32 ImageRect(ImageSize client, ImageSize image, int32_t zoom);

    // A client point in image coordinates (integer arithmetic, division toward zero).
    static Vector2 ClientToImage(Point32 client, Point32 scroll, Point32 origin, int32_t zoom);
    // A content point in whole image pixels, as the drawing maps its area back.
    static Point32 ContentToImage(Point32 content, Point32 origin, int32_t zoom);
    // The content rectangle that shows every pixel of an image rectangle, with a pixel to spare
    // at each side for the rounding of the sampling.
    static Rect32 ImageToContent(const Rect32& pixels, Point32 origin, int32_t zoom);

    // The bar after a change of client or content size: the page is the client size and the
    // position moves back so that the page does not run past the content.
    static SCROLLBAR FitScrollBar(int32_t position, int32_t client, int32_t content);
    // The scroll offset in one direction: the bar's position while the content does not fit.
    static int32_t ScrollOffset(int32_t position, int32_t client, int32_t content);
    // The position a scroll request asks for, clamped to 0 .. max(0, content - client);
    // false for requests that change nothing (end of scroll, unknown codes).
    static bool ScrollTarget(int32_t code, int32_t thumb, const SCROLLBAR& bar, int32_t client, int32_t* target);
    // A wanted position brought into 0 .. max(0, content - client), the range every scroll keeps to.
    static int32_t ClampScroll(int64_t wanted, const SCROLLBAR& bar, int32_t client);
};

}  // namespace app
