#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/Exception.h"
#include "base/Failure.h"
#include "base/Image.h"
#include "base/UCharBuffer.h"
#include "host/HostImage.h"
#include "paint/AppDoc.h"
#include "tests/support/FakeHost.h"

namespace {

using test::FakeHost;

TEST(HostImage, RefusedCallsReturnZeroAndCallNoRowFunction) {
    FakeHost host(2, 2);
    int runs = 0;
    static int* counter;
    counter = &runs;
    auto run = [](void*) {
        ++*counter;
        return 0;
    };
    HostImageInfo wrongDepth = host.info;
    wrongDepth.bitsPerPixel = 32;
    EXPECT_EQ(app::RunFilterProc(nullptr, &wrongDepth, &host.write, &host.read, "", run), 0);
    EXPECT_EQ(app::RunFilterProc(nullptr, nullptr, &host.write, &host.read, "", run), 0);
    EXPECT_EQ(app::RunFilterProc(nullptr, &host.info, nullptr, &host.read, "", run), 0);
    EXPECT_EQ(app::RunFilterProc(nullptr, &host.info, &host.write, nullptr, "", run), 0);
    EXPECT_EQ(runs, 0);
    EXPECT_TRUE(FakeHost::Calls().empty());

    EXPECT_EQ(app::RunFilterProc(nullptr, &host.info, &host.write, &host.read, "C:\\x\\y.cfg", run), 1);
    EXPECT_EQ(runs, 1);
    EXPECT_STREQ(app::GetHostPath(), "C:\\x\\y.cfg");
}

TEST(HostImage, OnePixelBecomesRedGreenBlueOpacityAndGoesBackUnchanged) {
    FakeHost host(1, 1);
    host.colour = {10, 20, 30};
    host.alpha = {200};
    host.Accept();
    app::Image image;
    image.Create(1, 1, 4);
    image.Clear();
    app::ReadHostImage(image);
    EXPECT_EQ(image.ConstData()[0], 30);
    EXPECT_EQ(image.ConstData()[1], 20);
    EXPECT_EQ(image.ConstData()[2], 10);
    EXPECT_EQ(image.ConstData()[3], 200);

    host.colour = {0, 0, 0};
    host.alpha = {0};
    app::WriteHostImage(image);
    EXPECT_EQ(host.colour, (std::vector<unsigned char>{10, 20, 30}));
    EXPECT_EQ(host.alpha, (std::vector<unsigned char>{200}));
}

TEST(HostImage, RowsGoInOrderColourBeforeAlphaWithTheHostsConstants) {
    FakeHost host(3, 4);
    host.Accept();
    app::Image image;
    image.Create(3, 4, 4);
    image.Clear();
    app::ReadHostImage(image);
    app::WriteHostImage(image);
    const auto& calls = FakeHost::Calls();
    ASSERT_EQ(calls.size(), 16u);
    for (size_t i = 0; i < calls.size(); ++i) {
        const bool writing = i >= 8;
        const bool colour = i % 2 == 0;
        EXPECT_EQ(calls[i].writing, writing);
        EXPECT_EQ(calls[i].colour, colour);
        EXPECT_EQ(calls[i].row, static_cast<int32_t>((i % 8) / 2));
        EXPECT_EQ(calls[i].first, 0);
        EXPECT_EQ(calls[i].last, 2);
        EXPECT_EQ(calls[i].minusOne, -1);
        EXPECT_EQ(calls[i].one, colour ? 0 : 1);
    }
}

TEST(HostImage, LargerImageRoundTripsByteForByte) {
    FakeHost host(37, 11);
    for (size_t i = 0; i < host.colour.size(); ++i)
        host.colour[i] = static_cast<unsigned char>(i * 7);
    for (size_t i = 0; i < host.alpha.size(); ++i)
        host.alpha[i] = static_cast<unsigned char>(i * 3 + 1);
    const auto colour = host.colour;
    const auto alpha = host.alpha;
    host.Accept();
    app::Image image;
    image.Create(37, 11, 4);
    image.Clear();
    app::ReadHostImage(image);
    EXPECT_EQ(image.ConstPixel(5, 2)[0], colour[(2 * 37 + 5) * 3 + 2]);
    std::fill(host.colour.begin(), host.colour.end(), 0);
    std::fill(host.alpha.begin(), host.alpha.end(), 0);
    app::WriteHostImage(image);
    EXPECT_EQ(host.colour, colour);
    EXPECT_EQ(host.alpha, alpha);
}

TEST(HostImage, EmptyImagesCopyNothing) {
    FakeHost host(0, 5);
    host.Accept();
    app::Image image;
    image.Create(0, 5, 4);
    app::ReadHostImage(image);
    app::WriteHostImage(image);
    EXPECT_TRUE(FakeHost::Calls().empty());
    EXPECT_EQ(app::GetHostImageSize().height, 5);
}

int32_t g_rowCalls = 0;
int32_t CountColour(int32_t, int32_t, int32_t, unsigned char*, int32_t) {
    return ++g_rowCalls;
}
int32_t CountAlpha(int32_t, int32_t, int32_t, unsigned char*, int32_t, int32_t) {
    return ++g_rowCalls;
}

// Host images the document cannot hold: negative, or too large for one of the buffers derived
// from the size (the picture itself, the engine's grid, the drawing ring).  Each is refused with
// code 11 before anything is allocated (the heap refuses any large block here, which would turn
// the failure into code 3) and before a row is read, so nothing is written back either.
TEST(HostImage, AnImageTheDocumentCannotHoldIsAnAbnormalSizeBeforeAnyAllocation) {
    const app::ImageSize sizes[] = {
        {-3, 4},         // negative
        {65536, 65536},  // the picture's bytes overflow
        {23200, 23200},  // the picture fits, the engine's grid would take 2 x 1.9 GB first
        {1, 10000000},   // a thin column: the grid of cells overflows
        {5000000, 1},    // a thin row: the drawing ring overflows
    };
    struct Guard {
        ~Guard() { app::UCharBuffer::RefuseBlocksFrom(0); }
    } guard;
    app::UCharBuffer::RefuseBlocksFrom(64 << 20);
    for (const app::ImageSize& size : sizes) {
        HostImageInfo info{size.width, size.height, 24};
        HostRowAccess rows{CountColour, CountAlpha};
        ASSERT_TRUE(app::AcceptHostImage(&info, &rows, &rows, ""));
        g_rowCalls = 0;
        app::AppDoc document;
        try {
            document.Load();
            ADD_FAILURE() << size.width << " x " << size.height << " was taken";
        } catch (...) {
            EXPECT_EQ(app::FailureText(std::current_exception()), "画像の大きさが異常です。")
                << size.width << " x " << size.height;
        }
        EXPECT_EQ(g_rowCalls, 0);
    }
}

}  // namespace
