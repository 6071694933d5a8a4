#include "ui/DisplayComposer.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace app {

class DisplayComposerMember {
  public:
    Image buffer;
    Point32 origin = {0, 0};
    std::vector<int32_t> sourceColumns;  // image column of each buffer column
    bool lastDrawSucceeded = true;
};

namespace {

constexpr int32_t kFixedOne = 65536;

bool Intersect(const Rect32& a, const Rect32& b, Rect32* result) {
    *result = {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
               std::min(a.bottom, b.bottom)};
    return result->left < result->right && result->top < result->bottom;
}

// The source pixel of buffer position `index` from image position `first`: exact at 100 %,
// otherwise nearest-neighbour in 16.16 fixed point, kept inside the image.  The sum is taken
// in 64 bits: first x 65536 alone passes the int range for images wider than 32767 pixels.
int32_t SourceIndex(int32_t first, int32_t index, int32_t zoom, int32_t limit) {
    if (zoom == 100)
        return first + index;
    const int64_t step = 6553600 / zoom;
    const int64_t position = (static_cast<int64_t>(first) * kFixedOne + index * step) / kFixedOne;
    return static_cast<int32_t>(std::min<int64_t>(position, limit - 1));
}

unsigned char Blend(int32_t weight, unsigned char source, int32_t level) {
    return static_cast<unsigned char>((weight * source + (256 - weight) * level) >> 8);
}

}  // namespace

DisplayComposer::DisplayComposer() : m_(std::make_unique<DisplayComposerMember>()) {}

DisplayComposer::~DisplayComposer() = default;

bool DisplayComposer::Compose(const Image& document,
                              const Rect32& imageRect,
                              const Rect32& clip,
                              int32_t& zoom,
                              int32_t background) {
    return Compose(document, imageRect, clip, zoom, background, {clip.left, clip.top});
}

bool DisplayComposer::Compose(const Image& document,
                              const Rect32& imageRect,
                              const Rect32& clip,
                              int32_t& zoom,
                              int32_t background,
                              Point32 anchor) {
    Rect32 area;
    if (!Intersect(imageRect, clip, &area))
        return false;
    try {
        SizeBuffer(area.right - area.left, area.bottom - area.top);
    } catch (...) {
        if (zoom > 100)
            zoom = 100;
        if (!m_->lastDrawSucceeded)
            return false;
        m_->lastDrawSucceeded = false;
        throw;
    }
    m_->origin = {area.left, area.top};
    // Sampling starts where the image's visible part starts, unless the area lies before it.
    const Point32 start = {std::clamp(anchor.x, imageRect.left, area.left),
                           std::clamp(anchor.y, imageRect.top, area.top)};
    const Point32 imageOrigin = {imageRect.left, imageRect.top};
    ComposeRows(document, ViewGeometry::ContentToImage(start, imageOrigin, zoom),
                {area.left - start.x, area.top - start.y}, zoom, background);
    m_->lastDrawSucceeded = true;
    return true;
}

void DisplayComposer::SizeBuffer(int32_t width, int32_t height) {
    m_->buffer.SetSize(width, height, 3);
    m_->sourceColumns.resize(static_cast<size_t>(width));
}

void DisplayComposer::ComposeRows(const Image& document,
                                  Point32 source,
                                  Point32 skip,
                                  int32_t zoom,
                                  int32_t background) {
    Image& buffer = m_->buffer;
    const int32_t width = buffer.Width();
    for (int32_t j = 0; j < width; ++j) {
        m_->sourceColumns[static_cast<size_t>(j)] = SourceIndex(source.x, skip.x + j, zoom, document.Width());
    }
    const int32_t* columns = m_->sourceColumns.data();
    for (int32_t i = 0; i < buffer.Height(); ++i) {
        const unsigned char* sourceRow = document.ConstRow(SourceIndex(source.y, skip.y + i, zoom, document.Height()));
        unsigned char* out = buffer.Row(i);
        const int32_t y = m_->origin.y + i;
        for (int32_t j = 0; j < width; ++j, out += 3) {
            const unsigned char* pixel = sourceRow + static_cast<ptrdiff_t>(columns[j]) * 4;
            const int32_t level = BackgroundLevel(background, m_->origin.x + j, y);
            const int32_t weight = pixel[3] > 0 ? pixel[3] + 1 : 0;
            out[0] = Blend(weight, pixel[2], level);
            out[1] = Blend(weight, pixel[1], level);
            out[2] = Blend(weight, pixel[0], level);
        }
        std::memset(out, 0, static_cast<size_t>(buffer.Padding()));
    }
}

const Image& DisplayComposer::Buffer() const {
    return m_->buffer;
}

Point32 DisplayComposer::BufferOrigin() const {
    return m_->origin;
}

bool DisplayComposer::LastDrawSucceeded() const {
    return m_->lastDrawSucceeded;
}

int32_t DisplayComposer::BackgroundLevel(int32_t background, int32_t x, int32_t y) {
    switch (background) {
        case BackgroundBlack:
            return 0;
        case BackgroundWhite:
            return 255;
        default:
            return ((x ^ y) & 16) != 0 ? 150 : 180;
    }
}

}  // namespace app
