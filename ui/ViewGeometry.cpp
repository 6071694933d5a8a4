#include "ui/ViewGeometry.h"

#include <algorithm>

#include "base/CheckedInt.h"

namespace app {

namespace {

int32_t Scale(int32_t length, int32_t zoom) {
    return CheckedMultiply(zoom, length, ErrorImageSize) / 100;
}

int32_t CentredOrMargin(int32_t client, int32_t scaled, int32_t margin) {
    // Compared in 64 bits: a scaled size near the top of the range must not wrap the test.
    const int64_t needed = static_cast<int64_t>(scaled) + 2 * static_cast<int64_t>(margin);
    return client >= needed ? (client - scaled) / 2 : margin;
}

// (point + scroll - origin) x 100 / zoom; 64 bits so that no sum of view figures can wrap.
int32_t ToImage(int64_t point, int64_t scroll, int64_t origin, int32_t zoom) {
    return static_cast<int32_t>((point + scroll - origin) * 100 / zoom);
}

}  // namespace

ImageSize ViewGeometry::ScaledSize(ImageSize image, int32_t zoom) {
    return {Scale(image.width, zoom), Scale(image.height, zoom)};
}

ImageSize ViewGeometry::ContentSize(ImageSize image, int32_t zoom) {
    const ImageSize scaled = ScaledSize(image, zoom);
    return {CheckedAdd(scaled.width, 2 * kMarginX, ErrorImageSize),
            CheckedAdd(scaled.height, 2 * kMarginY, ErrorImageSize)};
}

Point32 ViewGeometry::ImageOrigin(ImageSize client, ImageSize image, int32_t zoom) {
    const ImageSize scaled = ScaledSize(image, zoom);
    return {CentredOrMargin(client.width, scaled.width, kMarginX),
            CentredOrMargin(client.height, scaled.height, kMarginY)};
}

Rect32 ViewGeometry::ImageRect(ImageSize client, ImageSize image, int32_t zoom) {
    const Point32 origin = ImageOrigin(client, image, zoom);
    const ImageSize scaled = ScaledSize(image, zoom);
    return {origin.x, origin.y, CheckedAdd(origin.x, scaled.width, ErrorImageSize),
            CheckedAdd(origin.y, scaled.height, ErrorImageSize)};
}

Vector2 ViewGeometry::ClientToImage(Point32 client, Point32 scroll, Point32 origin, int32_t zoom) {
    return {static_cast<double>(ToImage(client.x, scroll.x, origin.x, zoom)),
            static_cast<double>(ToImage(client.y, scroll.y, origin.y, zoom))};
}

Point32 ViewGeometry::ContentToImage(Point32 content, Point32 origin, int32_t zoom) {
    return {ToImage(content.x, 0, origin.x, zoom), ToImage(content.y, 0, origin.y, zoom)};
}

Rect32 ViewGeometry::ImageToContent(const Rect32& pixels, Point32 origin, int32_t zoom) {
    const auto start = [zoom](int64_t at, int64_t pixel) { return at + pixel * zoom / 100 - 1; };
    const auto end = [zoom](int64_t at, int64_t pixel) { return at + (pixel * zoom + 99) / 100 + 1; };
    const auto clamp = [](int64_t value) {
        return static_cast<int32_t>(std::clamp<int64_t>(value, INT32_MIN, INT32_MAX));
    };
    return {clamp(start(origin.x, pixels.left)), clamp(start(origin.y, pixels.top)), clamp(end(origin.x, pixels.right)),
            clamp(end(origin.y, pixels.bottom))};
}

SCROLLBAR ViewGeometry::FitScrollBar(int32_t position, int32_t client, int32_t content) {
    SCROLLBAR bar = {position, client, content};
    if (static_cast<int64_t>(position) + client > content)
        bar.position = std::max(0, content - client);
    return bar;
}

int32_t ViewGeometry::ScrollOffset(int32_t position, int32_t client, int32_t content) {
    return client < content ? position : 0;
}

bool ViewGeometry::ScrollTarget(int32_t code, int32_t thumb, const SCROLLBAR& bar, int32_t client, int32_t* target) {
    int64_t wanted;
    switch (code) {
        case ScrollLineUp:
            wanted = static_cast<int64_t>(bar.position) - kLineStep;
            break;
        case ScrollLineDown:
            wanted = static_cast<int64_t>(bar.position) + kLineStep;
            break;
        case ScrollPageUp:
            wanted = static_cast<int64_t>(bar.position) - bar.page;
            break;
        case ScrollPageDown:
            wanted = static_cast<int64_t>(bar.position) + bar.page;
            break;
        case ScrollTop:
            wanted = 0;
            break;
        case ScrollBottom:
            wanted = bar.maximum;
            break;
        case ScrollThumbPosition:
        case ScrollThumbTrack:
            wanted = thumb & 0xFFFF;
            break;
        default:
            return false;
    }
    *target = ClampScroll(wanted, bar, client);
    return true;
}

int32_t ViewGeometry::ClampScroll(int64_t wanted, const SCROLLBAR& bar, int32_t client) {
    const int64_t last = std::max<int64_t>(0, static_cast<int64_t>(bar.maximum) - client);
    return static_cast<int32_t>(std::clamp<int64_t>(wanted, 0, last));
}

}  // namespace app
