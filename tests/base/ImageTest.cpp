#include <gtest/gtest.h>

#include <climits>

#include "base/Exception.h"
#include "base/Image.h"
#include "base/UCharBuffer.h"

namespace {

using app::Image;

int CodeOf(void (*action)(Image&), Image& image) {
    try {
        action(image);
    } catch (const app::Exception& e) {
        return e.Code();
    }
    return 0;
}

TEST(Image, RowLayoutPadsEachRowToFourBytes) {
    Image image;
    image.Create(1, 3, 3);
    EXPECT_EQ(image.RowBytes(), 3);
    EXPECT_EQ(image.Padding(), 1);
    EXPECT_EQ(image.Stride(), 4);
    EXPECT_EQ(image.ByteSize(), 12);

    image.Create(5, 2, 4);
    EXPECT_EQ(image.Padding(), 0);
    EXPECT_EQ(image.Stride(), 20);
    EXPECT_EQ(image.ConstPixel(2, 1) - image.ConstData(), 28);
}

TEST(Image, DisplayImagesCarryATopDownBitmapHeader) {
    Image image;
    image.Create(7, 9, 3);
    const app::BitmapHeader& header = image.Header();
    EXPECT_EQ(header.biSize, 40u);
    EXPECT_EQ(header.biPlanes, 1);
    EXPECT_EQ(header.biWidth, 7);
    EXPECT_EQ(header.biHeight, -9);
    EXPECT_EQ(header.biBitCount, 24);
    EXPECT_EQ(header.biCompression, app::kBitmapRgb);

    Image document;
    document.Create(7, 9, 4);
    EXPECT_EQ(document.Header().biWidth, 0);  // only display images keep a header
}

TEST(Image, EmptySizesHaveNoStorage) {
    Image image;
    image.Create(0, 10, 4);
    EXPECT_EQ(image.ByteSize(), 0);
    EXPECT_EQ(image.Data(), nullptr);
    image.Create(10, 0, 4);
    EXPECT_EQ(image.ByteSize(), 0);
    EXPECT_EQ(image.Data(), nullptr);
}

TEST(Image, NegativeSizesRaiseCodeElevenBeforeAnyChange) {
    Image image;
    image.Create(2, 2, 4);
    image.Data()[0] = 77;
    EXPECT_EQ(CodeOf([](Image& i) { i.SetSize(-1, 10, 4); }, image), app::ErrorImageSize);
    EXPECT_EQ(image.Width(), 2);
    EXPECT_EQ(image.ConstData()[0], 77);

    EXPECT_EQ(CodeOf([](Image& i) { i.Create(-1, 10, 4); }, image), app::ErrorImageSize);
    EXPECT_EQ(image.ConstData(), nullptr);  // Create released the pixels first
}

TEST(Image, OverflowingSizesRaiseCodeElevenAndLeaveTheImageAsItWas) {
    Image image;
    image.Create(4, 4, 4);
    image.Data()[0] = 9;
    EXPECT_EQ(CodeOf([](Image& i) { i.SetSize(INT_MAX / 2, 1, 4); }, image), app::ErrorImageSize);
    EXPECT_EQ(CodeOf([](Image& i) { i.SetSize(65536, 65536, 4); }, image), app::ErrorImageSize);
    // The row plus its padding overflows although the row alone does not.
    EXPECT_EQ(CodeOf([](Image& i) { i.SetSize(715827882, 1, 3); }, image), app::ErrorImageSize);
    EXPECT_EQ(image.Width(), 4);
    EXPECT_EQ(image.ByteSize(), 64);
    EXPECT_EQ(image.ConstData()[0], 9);
    EXPECT_EQ(CodeOf([](Image& i) { i.Create(65536, 65536, 4); }, image), app::ErrorImageSize);
    EXPECT_EQ(image.Width(), 0);
    EXPECT_EQ(image.ByteSize(), 0);
}

// A heap that refuses the block: SetSize keeps the old image, Create leaves an empty one, and in
// neither case do the layout figures promise bytes that are not there.
TEST(Image, RefusedStorageLeavesTheOldImageOrAnEmptyOne) {
    struct Guard {
        ~Guard() { app::UCharBuffer::RefuseBlocksFrom(0); }
    } guard;
    Image image;
    image.Create(4, 4, 4);
    image.Data()[63] = 5;
    app::UCharBuffer::RefuseBlocksFrom(1000);
    EXPECT_EQ(CodeOf([](Image& i) { i.SetSize(100, 100, 4); }, image), app::ErrorNoMemory);
    EXPECT_EQ(image.Width(), 4);
    EXPECT_EQ(image.ByteSize(), 64);
    EXPECT_EQ(image.ConstData()[63], 5);
    image.Clear();  // writes ByteSize bytes: must stay inside the block

    Image copy;
    EXPECT_EQ(CodeOf([](Image& i) { i.Create(100, 100, 4); }, image), app::ErrorNoMemory);
    EXPECT_EQ(image.Width(), 0);
    EXPECT_EQ(image.Height(), 0);
    EXPECT_EQ(image.ByteSize(), 0);
    EXPECT_EQ(image.ConstData(), nullptr);
    copy = image;
    EXPECT_EQ(copy.ByteSize(), 0);
}

TEST(Image, SetSizeKeepsStorageThatFits) {
    Image image;
    image.Create(10, 10, 3);
    const unsigned char* storage = image.ConstData();
    image.SetSize(5, 5, 3);
    EXPECT_EQ(image.ConstData(), storage);
    image.SetSize(20, 20, 3);
    EXPECT_EQ(image.ByteSize(), 20 * 60);
}

TEST(Image, AssignmentIsADeepCopyAndRecreatesOtherSizes) {
    Image source;
    source.Create(3, 2, 4);
    for (int32_t i = 0; i < source.ByteSize(); ++i)
        source.Data()[i] = static_cast<unsigned char>(i);
    Image target;
    target.Create(1, 1, 3);
    target = source;
    EXPECT_EQ(target.Width(), 3);
    EXPECT_EQ(target.Height(), 2);
    EXPECT_EQ(target.BytesPerPixel(), 4);
    EXPECT_NE(target.ConstData(), source.ConstData());
    EXPECT_EQ(target.ConstData()[23], 23);
    target.Data()[0] = 200;
    EXPECT_EQ(source.ConstData()[0], 0);

    Image copy(source);
    EXPECT_EQ(copy.ConstData()[5], 5);
}

TEST(Image, ClearMakesEveryPixelTransparentBlack) {
    Image image;
    image.Create(3, 3, 4);
    image.Data()[7] = 9;
    image.Clear();
    for (int32_t i = 0; i < image.ByteSize(); ++i)
        ASSERT_EQ(image.ConstData()[i], 0);
}

}  // namespace
