#include "tools/common/PngFile.h"

#include <gtest/gtest.h>

#include "tests/support/TestFiles.h"

namespace {

// The writer streams rows through zlib, so no length of the file is held in 32 bits; what it
// cannot write (no rows, pixels that do not match the size) it refuses before creating a file.
TEST(PngFile, PicturesRoundTripAndImpossibleOnesAreRefusedWithoutAFile) {
    test::TempFolder folder;
    tools::RgbaPicture picture{300, 7, {}};
    for (int32_t i = 0; i < 300 * 7 * 4; ++i)
        picture.pixels.push_back(static_cast<unsigned char>(i * 7919 % 251));
    ASSERT_TRUE(tools::SavePng(folder.File("a.png"), picture));
    tools::RgbaPicture back;
    std::string error;
    ASSERT_TRUE(tools::LoadPng(folder.File("a.png"), &back, &error)) << error;
    EXPECT_EQ(back.width, 300);
    EXPECT_EQ(back.height, 7);
    EXPECT_EQ(back.pixels, picture.pixels);
    int32_t width = 0, height = 0;
    ASSERT_TRUE(tools::ReadPngSize(folder.File("a.png"), &width, &height, &error));
    EXPECT_EQ(width * 1000 + height, 300007);

    const tools::RgbaPicture impossible[] = {
        {0, 5, {}},
        {40000, 60000, {}},  // its PNG data would be 9.6 GB; the pixels are not there either
        {2, 2, std::vector<unsigned char>(15)},
    };
    for (const tools::RgbaPicture& bad : impossible)
        EXPECT_FALSE(tools::SavePng(folder.File("bad.png"), bad)) << bad.width << " x " << bad.height;
    EXPECT_EQ(test::FileNamesIn(folder.Path()), std::vector<std::string>{"a.png"});
}

}  // namespace
