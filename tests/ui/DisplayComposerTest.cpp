#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "base/Exception.h"
#include "base/Image.h"
#include "ui/DisplayComposer.h"
#include "ui/ViewGeometry.h"
#include "ui/ZoomTable.h"

namespace {

using app::DisplayComposer;
using app::Image;
using app::Rect32;

struct Rgba {
    unsigned char r, g, b, a;
};

Image Document(int32_t width, int32_t height, const std::vector<Rgba>& pixels) {
    Image image;
    image.Create(width, height, 4);
    image.Clear();
    for (int32_t y = 0; y < height; ++y) {
        for (int32_t x = 0; x < width; ++x) {
            const Rgba& p = pixels[static_cast<size_t>(y * width + x)];
            unsigned char* out = image.Row(y) + x * 4;
            out[0] = p.r;
            out[1] = p.g;
            out[2] = p.b;
            out[3] = p.a;
        }
    }
    return image;
}

// The three bytes the bitmap holds at a buffer position.
std::vector<int> Shown(const DisplayComposer& composer, int32_t x, int32_t y) {
    const unsigned char* p = composer.Buffer().ConstRow(y) + x * 3;
    return {p[0], p[1], p[2]};
}

// The expected blend of one channel with the background level, by the weight rule.
int Blend(int alpha, int source, int level) {
    const int weight = alpha > 0 ? alpha + 1 : 0;
    return (weight * source + (256 - weight) * level) >> 8;
}

TEST(DisplayComposer, OpacityWeightsImageOverBackground) {
    const Image document = Document(3, 1, {{10, 20, 30, 255}, {200, 100, 50, 0}, {200, 100, 50, 127}});
    DisplayComposer composer;
    int32_t zoom = 100;
    // Content x 32 .. 34, y 16: bit 4 of x is 0 and of y is 1, so the checker level is 150.
    ASSERT_TRUE(composer.Compose(document, {32, 16, 35, 17}, {0, 0, 1000, 1000}, zoom, app::BackgroundChecker));
    EXPECT_EQ(Shown(composer, 0, 0), (std::vector<int>{30, 20, 10}));     // opaque: the colour, reversed
    EXPECT_EQ(Shown(composer, 1, 0), (std::vector<int>{150, 150, 150}));  // transparent: background
    EXPECT_EQ(Shown(composer, 2, 0),
              (std::vector<int>{Blend(127, 50, 150), Blend(127, 100, 150), Blend(127, 200, 150)}));
    ASSERT_TRUE(composer.Compose(document, {32, 16, 35, 17}, {0, 0, 1000, 1000}, zoom, app::BackgroundWhite));
    EXPECT_EQ(Shown(composer, 1, 0), (std::vector<int>{255, 255, 255}));
    EXPECT_EQ(Shown(composer, 2, 0)[0], Blend(127, 50, 255));
    ASSERT_TRUE(composer.Compose(document, {32, 16, 35, 17}, {0, 0, 1000, 1000}, zoom, app::BackgroundBlack));
    EXPECT_EQ(Shown(composer, 1, 0), (std::vector<int>{0, 0, 0}));
    EXPECT_EQ(Shown(composer, 0, 0), (std::vector<int>{30, 20, 10}));
}

TEST(DisplayComposer, CheckerCellsAreFixedToTheContent) {
    EXPECT_EQ(DisplayComposer::BackgroundLevel(0, 0, 0), 180);
    EXPECT_EQ(DisplayComposer::BackgroundLevel(0, 15, 15), 180);
    EXPECT_EQ(DisplayComposer::BackgroundLevel(0, 16, 0), 150);
    EXPECT_EQ(DisplayComposer::BackgroundLevel(0, 0, 31), 150);
    EXPECT_EQ(DisplayComposer::BackgroundLevel(0, 16, 16), 180);
    EXPECT_EQ(DisplayComposer::BackgroundLevel(1, 16, 0), 0);
    EXPECT_EQ(DisplayComposer::BackgroundLevel(2, 16, 0), 255);

    // A transparent image shows the same cells at every zoom: the pattern follows content
    // coordinates, not image pixels.
    const Image clear = Document(20, 20, std::vector<Rgba>(400, Rgba{9, 9, 9, 0}));
    for (int32_t zoom : {50, 100, 300}) {
        DisplayComposer composer;
        const int32_t side = 20 * zoom / 100;
        int32_t used = zoom;
        ASSERT_TRUE(composer.Compose(clear, {30, 40, 30 + side, 40 + side}, {0, 0, 1000, 1000}, used, 0));
        for (int32_t y = 0; y < side; y += 3) {
            for (int32_t x = 0; x < side; x += 5) {
                ASSERT_EQ(Shown(composer, x, y)[1], DisplayComposer::BackgroundLevel(0, 30 + x, 40 + y))
                    << zoom << " " << x << "," << y;
            }
        }
    }
}

// A document whose red byte is the column number and green byte the row number.
Image Numbered(int32_t width, int32_t height) {
    std::vector<Rgba> pixels;
    for (int32_t y = 0; y < height; ++y) {
        for (int32_t x = 0; x < width; ++x) {
            pixels.push_back({static_cast<unsigned char>(x), static_cast<unsigned char>(y), 0, 255});
        }
    }
    return Document(width, height, pixels);
}

std::vector<int> SourceColumns(const DisplayComposer& composer) {
    std::vector<int> columns;
    for (int32_t x = 0; x < composer.Buffer().Width(); ++x)
        columns.push_back(Shown(composer, x, 0)[2]);
    return columns;
}

TEST(DisplayComposer, SamplesNearestNeighbourInFixedPoint) {
    const Image document = Numbered(8, 2);
    DisplayComposer composer;
    int32_t zoom = 200;
    ASSERT_TRUE(composer.Compose(document, {30, 40, 46, 44}, {0, 0, 1000, 1000}, zoom, 0));
    EXPECT_EQ(SourceColumns(composer), (std::vector<int>{0, 0, 1, 1, 2, 2, 3, 3, 4, 4, 5, 5, 6, 6, 7, 7}));
    EXPECT_EQ(Shown(composer, 0, 3)[1], 1);  // row 3 of the buffer is image row 1

    // At 300 % the step 6553600 / 300 = 21845 falls short of a third of 65536, so the fourth
    // screen column still shows image column 0.
    zoom = 300;
    ASSERT_TRUE(composer.Compose(document, {30, 40, 54, 46}, {0, 0, 1000, 1000}, zoom, 0));
    const std::vector<int> columns = SourceColumns(composer);
    EXPECT_EQ(std::vector<int>(columns.begin(), columns.begin() + 8), (std::vector<int>{0, 0, 0, 0, 1, 1, 1, 2}));

    zoom = 25;
    const Image wide = Numbered(16, 4);
    ASSERT_TRUE(composer.Compose(wide, {30, 40, 34, 41}, {0, 0, 1000, 1000}, zoom, 0));
    EXPECT_EQ(SourceColumns(composer), (std::vector<int>{0, 4, 8, 12}));
}

TEST(DisplayComposer, DrawsOnlyTheClippedPartFromItsImagePosition) {
    const Image document = Numbered(100, 50);
    DisplayComposer composer;
    int32_t zoom = 100;
    ASSERT_TRUE(composer.Compose(document, {30, 40, 130, 90}, {60, 50, 65, 300}, zoom, 0));
    EXPECT_EQ(composer.Buffer().Width(), 5);
    EXPECT_EQ(composer.Buffer().Height(), 40);
    EXPECT_EQ(composer.BufferOrigin().x, 60);
    EXPECT_EQ(composer.BufferOrigin().y, 50);
    EXPECT_EQ(Shown(composer, 0, 0), (std::vector<int>{0, 10, 30}));
    EXPECT_EQ(Shown(composer, 4, 39), (std::vector<int>{0, 49, 34}));

    // At 200 % the clip's left edge at content 61 maps back to image column (61 - 30) * 100 / 200.
    zoom = 200;
    ASSERT_TRUE(composer.Compose(document, {30, 40, 230, 140}, {61, 40, 70, 41}, zoom, 0));
    EXPECT_EQ(SourceColumns(composer), (std::vector<int>{15, 15, 16, 16, 17, 17, 18, 18, 19}));
}

TEST(DisplayComposer, BitmapHeaderAndRowPaddingFitSetDIBitsToDevice) {
    const Image document = Numbered(8, 8);
    DisplayComposer composer;
    int32_t zoom = 100;
    ASSERT_TRUE(composer.Compose(document, {30, 40, 38, 48}, {0, 0, 1000, 1000}, zoom, 2));
    // Fill the reused buffer's padding with garbage, then compose a narrower part into it.
    Image& reused = const_cast<Image&>(composer.Buffer());
    std::memset(reused.Data(), 0xAB, static_cast<size_t>(reused.ByteSize()));
    ASSERT_TRUE(composer.Compose(document, {30, 40, 38, 48}, {30, 40, 33, 43}, zoom, 2));
    const Image& buffer = composer.Buffer();
    EXPECT_EQ(buffer.Stride(), 12);  // 3 x 3 bytes padded to 12
    for (int32_t y = 0; y < 3; ++y) {
        for (int32_t i = 9; i < 12; ++i)
            EXPECT_EQ(buffer.ConstRow(y)[i], 0) << y << " " << i;
    }
    const app::BitmapHeader& header = buffer.Header();
    EXPECT_EQ(header.biSize, 40u);
    EXPECT_EQ(header.biWidth, 3);
    EXPECT_EQ(header.biHeight, -3);  // rows top-down
    EXPECT_EQ(header.biPlanes, 1);
    EXPECT_EQ(header.biBitCount, 24);
    EXPECT_EQ(header.biCompression, 0u);
}

TEST(DisplayComposer, NothingOutsideTheImageOrForAnEmptyImage) {
    const Image document = Numbered(8, 8);
    DisplayComposer composer;
    int32_t zoom = 100;
    EXPECT_FALSE(composer.Compose(document, {30, 40, 38, 48}, {38, 0, 100, 100}, zoom, 0));
    EXPECT_FALSE(composer.Compose(document, {30, 40, 38, 48}, {0, 0, 30, 100}, zoom, 0));
    Image empty;
    empty.Create(0, 5, 4);
    EXPECT_FALSE(composer.Compose(empty, {30, 40, 30, 45}, {0, 0, 100, 100}, zoom, 0));
    EXPECT_TRUE(composer.LastDrawSucceeded());
}

TEST(DisplayComposer, FailingBufferReportsOnceAndFallsBackToFullSize) {
    const Image document = Numbered(8, 8);
    DisplayComposer composer;
    const Rect32 huge = {0, 0, 1000000000, 1};  // 3 GB of display rows: cannot be sized
    int32_t zoom = 400;
    EXPECT_THROW(composer.Compose(document, huge, huge, zoom, 0), app::Exception);
    EXPECT_EQ(zoom, 100);
    EXPECT_FALSE(composer.LastDrawSucceeded());
    zoom = 200;
    EXPECT_FALSE(composer.Compose(document, huge, huge, zoom, 0));  // dropped: reported already
    EXPECT_EQ(zoom, 100);
    zoom = 50;
    EXPECT_FALSE(composer.Compose(document, huge, huge, zoom, 0));
    EXPECT_EQ(zoom, 50);  // smaller zooms stay
    ASSERT_TRUE(composer.Compose(document, {30, 40, 38, 48}, {0, 0, 100, 100}, zoom = 100, 0));
    EXPECT_TRUE(composer.LastDrawSucceeded());
    EXPECT_THROW(composer.Compose(document, huge, huge, zoom, 0), app::Exception);
}

// A redraw of the turns composes only what changed: at every zoom its pixels must be those of
// the whole visible area composed again, and it must hold every pixel that the change altered.
TEST(DisplayComposer, APartComposedAgainMatchesTheWholeViewAndHoldsTheChange) {
    std::vector<Rgba> pixels;
    for (int32_t i = 0; i < 90 * 70; ++i)
        pixels.push_back({static_cast<unsigned char>(i * 7), static_cast<unsigned char>(i / 3), 40, 255});
    Image document = Document(90, 70, pixels);
    const Rect32 changed = {31, 17, 45, 29};
    for (int32_t zoom = 25;; zoom = app::ZoomTable::In(zoom)) {
        const Rect32 image = app::ViewGeometry::ImageRect({60, 50}, {90, 70}, zoom);
        // Scrolled in a little; the composition keeps to the image.
        const Rect32 visible = {image.left + 7, image.top + 5, std::min(image.left + 67, image.right),
                                std::min(image.top + 55, image.bottom)};
        const app::Point32 anchor = {visible.left, visible.top};
        auto composeAll = [&](DisplayComposer& composer) {
            int32_t z = zoom;
            ASSERT_TRUE(composer.Compose(document, image, visible, z, app::BackgroundChecker, anchor));
        };
        DisplayComposer before, after, part;
        composeAll(before);
        for (int32_t y = changed.top; y < changed.bottom; ++y)
            for (int32_t x = changed.left; x < changed.right; ++x)
                document.Row(y)[x * 4 + 2] ^= 0xFF;
        composeAll(after);
        const Rect32 area = app::ViewGeometry::ImageToContent(changed, {image.left, image.top}, zoom);
        const Rect32 clip = {std::max(area.left, visible.left), std::max(area.top, visible.top),
                             std::min(area.right, visible.right), std::min(area.bottom, visible.bottom)};
        int32_t z = zoom;
        const bool shown = part.Compose(document, image, clip, z, app::BackgroundChecker, anchor);
        ASSERT_EQ(shown, clip.right > clip.left && clip.bottom > clip.top) << zoom;
        const app::Point32 at = part.BufferOrigin();
        for (int32_t y = 0; y < visible.bottom - visible.top; ++y) {
            for (int32_t x = 0; x < visible.right - visible.left; ++x) {
                const int32_t cx = visible.left + x, cy = visible.top + y;
                const bool inside = shown && cx >= clip.left && cx < clip.right && cy >= clip.top && cy < clip.bottom;
                if (inside) {
                    ASSERT_EQ(Shown(part, cx - at.x, cy - at.y), Shown(after, x, y))
                        << zoom << " at " << cx << "," << cy;
                } else {
                    ASSERT_EQ(Shown(before, x, y), Shown(after, x, y))
                        << zoom << ": changed outside at " << cx << "," << cy;
                }
            }
        }
        if (zoom == app::ZoomTable::In(zoom))
            break;
        document = Document(90, 70, pixels);
    }
}

}  // namespace
