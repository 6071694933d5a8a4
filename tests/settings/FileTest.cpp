#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "base/FileException.h"
#include "base/System.h"
#include "settings/File.h"
#include "tests/support/TestFiles.h"

namespace {

using app::File;

std::string Bytes(std::initializer_list<int> values) {
    std::string bytes;
    for (int value : values)
        bytes.push_back(static_cast<char>(value));
    return bytes;
}

std::string Int32(int32_t value) {
    const auto bits = static_cast<uint32_t>(value);
    return Bytes({int(bits & 0xFF), int((bits >> 8) & 0xFF), int((bits >> 16) & 0xFF), int(bits >> 24)});
}

std::string Real(double value) {
    uint64_t bits;
    std::memcpy(&bits, &value, 8);
    std::string bytes;
    for (int i = 0; i < 8; ++i)
        bytes.push_back(static_cast<char>(bits >> (8 * i)));
    return bytes;
}

// Runs `read` on a file holding `bytes` and returns the code it raised (0: none).
template <typename Read>
int32_t CodeOfReading(const std::string& bytes, Read read) {
    test::TempFolder folder;
    const std::string path = folder.File("values.bin");
    test::WriteFileText(path, bytes);
    File file;
    EXPECT_TRUE(file.OpenForReading(path));
    try {
        read(file);
    } catch (const app::FileException& e) {
        EXPECT_EQ(e.FileName(), path);
        return e.Code();
    }
    return 0;
}

TEST(File, TaggedValuesAreTagLengthAndLittleEndianPayload) {
    test::TempFolder folder;
    const std::string path = folder.File("values.bin");
    File file;
    file.CreateForWriting(path);
    file.WriteInt(0x434C4644);
    file.WriteTaggedInt(9, -2);
    file.WriteTaggedBool(12, true);
    file.WriteTaggedBool(20, false);
    file.WriteTaggedReal(2, 2.5);
    file.WriteTaggedPair(6, -0.125, 1e300);
    file.WriteTaggedText(1, "ab");
    file.WriteTaggedText(1, "");
    file.Close();

    const std::string expected = "DFLC" + Int32(9) + Int32(4) + Int32(-2) + Int32(12) + Int32(4) + Int32(1) +
                                 Int32(20) + Int32(4) + Int32(0) + Int32(2) + Int32(8) + Real(2.5) + Int32(6) +
                                 Int32(16) + Real(-0.125) + Real(1e300) + Int32(1) + Int32(3) + "ab" + Bytes({0}) +
                                 Int32(1) + Int32(1) + Bytes({0});
    EXPECT_EQ(test::ReadFileText(path), expected);

    File back;
    ASSERT_TRUE(back.OpenForReading(path));
    EXPECT_EQ(back.ReadInt(), 0x434C4644);
    EXPECT_EQ(back.ReadInt(), 9);
    EXPECT_EQ(back.ReadTaggedInt(), -2);
    EXPECT_EQ(back.ReadInt(), 12);
    EXPECT_TRUE(back.ReadTaggedBool());
    EXPECT_EQ(back.ReadInt(), 20);
    EXPECT_FALSE(back.ReadTaggedBool());
    EXPECT_EQ(back.ReadInt(), 2);
    EXPECT_EQ(back.ReadTaggedReal(), 2.5);
    EXPECT_EQ(back.ReadInt(), 6);
    double first = 0, second = 0;
    back.ReadTaggedPair(&first, &second);
    EXPECT_EQ(first, -0.125);
    EXPECT_EQ(second, 1e300);
    EXPECT_EQ(back.ReadInt(), 1);
    EXPECT_EQ(back.ReadTaggedText(), "ab");
    EXPECT_EQ(back.ReadInt(), 1);
    EXPECT_EQ(back.ReadTaggedText(), "");
    back.Close();
}

TEST(File, AnyNonZeroIntReadsAsTrue) {
    bool value = false;
    EXPECT_EQ(CodeOfReading(Int32(4) + Int32(-7), [&](File& f) { value = f.ReadTaggedBool(); }), 0);
    EXPECT_TRUE(value);
}

TEST(File, TextKeepsTheCharactersBeforeTheFirstNul) {
    std::string text;
    EXPECT_EQ(CodeOfReading(Int32(5) + "ab" + Bytes({0}) + "cd", [&](File& f) { text = f.ReadTaggedText(); }), 0);
    EXPECT_EQ(text, "ab");
    EXPECT_EQ(CodeOfReading(Int32(2) + "xy", [&](File& f) { text = f.ReadTaggedText(); }), 0);
    EXPECT_EQ(text, "xy");
    EXPECT_EQ(CodeOfReading(Int32(0), [&](File& f) { text = f.ReadTaggedText(); }), 0);
    EXPECT_EQ(text, "");
}

TEST(File, ALengthOtherThanTheValuesIsABrokenFile) {
    const int32_t broken = app::ErrorBrokenFile;
    EXPECT_EQ(CodeOfReading(Int32(8) + Real(1), [](File& f) { f.ReadTaggedInt(); }), broken);
    EXPECT_EQ(CodeOfReading(Int32(4) + Int32(1) + Int32(0), [](File& f) { f.ReadTaggedReal(); }), broken);
    EXPECT_EQ(CodeOfReading(Int32(8) + Real(1),
                            [](File& f) {
                                double a, b;
                                f.ReadTaggedPair(&a, &b);
                            }),
              broken);
    EXPECT_EQ(CodeOfReading(Int32(-1), [](File& f) { f.ReadTaggedText(); }), broken);
}

TEST(File, AFileThatEndsInsideAValueIsBroken) {
    const int32_t broken = app::ErrorBrokenFile;
    EXPECT_EQ(CodeOfReading("", [](File& f) { f.ReadInt(); }), broken);
    EXPECT_EQ(CodeOfReading("DFL", [](File& f) { f.ReadInt(); }), broken);
    EXPECT_EQ(CodeOfReading(Int32(8) + "1234567", [](File& f) { f.ReadTaggedReal(); }), broken);
    EXPECT_EQ(CodeOfReading(Int32(16) + Real(1),
                            [](File& f) {
                                double a, b;
                                f.ReadTaggedPair(&a, &b);
                            }),
              broken);
    // Two billion characters promised by a file of a few bytes: broken, and nothing that size.
    EXPECT_EQ(CodeOfReading(Int32(2000000000) + "abc", [](File& f) { f.ReadTaggedText(); }), broken);
    // A text running across several buffer fills, one byte short.
    EXPECT_EQ(CodeOfReading(Int32(10001) + std::string(10000, 'q'), [](File& f) { f.ReadTaggedText(); }), broken);
}

TEST(File, LongTextsReadWhole) {
    std::string text;
    const std::string long_text(10000, 'q');
    EXPECT_EQ(CodeOfReading(Int32(10001) + long_text + Bytes({0}), [&](File& f) { text = f.ReadTaggedText(); }), 0);
    EXPECT_EQ(text, long_text);
}

TEST(File, AMissingFileDoesNotOpenAndRaisesNothing) {
    test::TempFolder folder;
    File file;
    EXPECT_FALSE(file.OpenForReading(folder.File("absent.spr")));
    EXPECT_FALSE(file.IsOpen());
}

TEST(File, ACreationTheSystemRefusesRaisesCodeOneWithThePath) {
    test::TempFolder folder;
    const std::string path = folder.File("no-such-folder") + app::kPathSeparator + "x.spr";
    File file;
    try {
        file.CreateForWriting(path);
        FAIL() << "created a file in a missing folder";
    } catch (const app::FileException& e) {
        EXPECT_EQ(e.Code(), app::ErrorSystem);
        EXPECT_NE(e.Value(), 0);
        EXPECT_EQ(e.FileName(), path);
    }
}

TEST(File, ANewFileLeftUnclosedIsDeleted) {
    test::TempFolder folder;
    const std::string path = folder.File("new.spr");
    {
        File file;
        file.CreateForWriting(path);
        EXPECT_TRUE(file.CreatedNew());
        // More than one buffer, so part of it is on disk already.
        for (int i = 0; i < 5000; ++i)
            file.WriteInt(i);
        EXPECT_TRUE(app::FileExists(path));
    }
    EXPECT_FALSE(app::FileExists(path));
}

TEST(File, AClosedNewFileStays) {
    test::TempFolder folder;
    const std::string path = folder.File("new.spr");
    {
        File file;
        file.CreateForWriting(path);
        file.WriteInt(5);
        file.Close();
        EXPECT_FALSE(file.IsOpen());
    }
    EXPECT_EQ(test::ReadFileText(path), Int32(5));
}

TEST(File, AnExistingFileIsTruncatedAndStaysEvenWhenLeftUnclosed) {
    test::TempFolder folder;
    const std::string path = folder.File("old.spr");
    test::WriteFileText(path, "old contents");
    {
        File file;
        file.CreateForWriting(path);
        EXPECT_FALSE(file.CreatedNew());
        for (int i = 0; i < 5000; ++i)
            file.WriteInt(1);
    }
    EXPECT_TRUE(app::FileExists(path));
    const std::string left = test::ReadFileText(path);
    EXPECT_EQ(left.find("old"), std::string::npos);
}

}  // namespace
