#include <gtest/gtest.h>

#include <cmath>
#include <exception>
#include <random>
#include <string>
#include <vector>

#include "base/Failure.h"
#include "base/FileException.h"
#include "engine/SPRAYSTYLE.h"
#include "settings/File.h"
#include "settings/PresetCatalogue.h"
#include "settings/SprayFile.h"
#include "tests/settings/SprayBytes.h"
#include "tests/support/TestFiles.h"

namespace {

using namespace spraybytes;
using app::PresetCatalogue;
using app::SPRAYSTYLE;

const char kNoName[] = "無名";

SPRAYSTYLE DefaultValidated() {
    SPRAYSTYLE style;
    style.Validate();
    return style;
}

void ExpectSameStoredFields(const SPRAYSTYLE& a, const SPRAYSTYLE& b) {
#define EXPECT_SAME_REAL(field) EXPECT_EQ(Bits(a.field), Bits(b.field)) << #field;
#define EXPECT_SAME(field) EXPECT_EQ(a.field, b.field) << #field;
    SPRAY_STORED_REALS(EXPECT_SAME_REAL)
    SPRAY_STORED_OTHERS(EXPECT_SAME)
#undef EXPECT_SAME_REAL
#undef EXPECT_SAME
}

struct Outcome {
    int32_t code = 0;  // 0: loaded
    std::string fileName;
    int32_t presets = 0;
    std::string message;
};

Outcome Load(const std::string& bytes, PresetCatalogue* catalogue = nullptr) {
    test::TempFolder folder;
    const std::string path = folder.File("list.spr");
    test::WriteFileText(path, bytes);
    PresetCatalogue own;
    PresetCatalogue& list = catalogue ? *catalogue : own;
    Outcome outcome;
    try {
        EXPECT_TRUE(list.LoadCatalogue(path));
    } catch (const app::FileException& e) {
        outcome.code = e.Code();
        outcome.fileName = e.FileName() == path ? "list.spr" : e.FileName();
        outcome.message = app::FailureText(std::current_exception());
    }
    outcome.presets = list.Count();
    EXPECT_EQ(test::ReadFileText(path), bytes) << "reading changed the file";
    return outcome;
}

TEST(SprayFile, AnEmptyCatalogueIsTwelveBytes) {
    test::TempFolder folder;
    PresetCatalogue list;
    list.SaveCatalogue(folder.File("empty.spr"));
    EXPECT_EQ(test::ReadFileText(folder.File("empty.spr")), std::string("DFLC") + Int32(2) + Int32(0));
    EXPECT_EQ(Load(Header(0)).code, 0);
}

TEST(SprayFile, ARecordWritesItsTagsInTheirOrderWithTheirLengths) {
    const std::vector<std::pair<int32_t, int32_t>> expected = {
        {1, 4},  {2, 8},  {18, 8}, {3, 8},  {17, 8}, {4, 8},  {5, 8},  {19, 8}, {9, 4},  {11, 8}, {12, 4},
        {6, 16}, {13, 8}, {14, 8}, {15, 8}, {16, 4}, {7, 4},  {8, 4},  {10, 8}, {20, 4}, {21, 4}, {22, 8},
        {23, 8}, {24, 4}, {25, 4}, {28, 4}, {29, 4}, {26, 8}, {27, 8}, {30, 8}, {31, 4}, {32, 4}, {33, 8}};
    test::TempFolder folder;
    const std::string path = folder.File("one.spr");
    {
        app::File file;
        file.CreateForWriting(path);
        app::SprayFile::WriteHeader(file, 1);
        app::SprayFile::WritePreset(file, "Fog", SPRAYSTYLE());
        file.Close();
    }
    const std::string bytes = test::ReadFileText(path);
    ASSERT_EQ(bytes.substr(0, 12), Header(1));
    size_t at = 12;
    auto next = [&]() {
        int32_t value = 0;
        if (at + 4 <= bytes.size())
            std::memcpy(&value, bytes.data() + at, 4);
        at += 4;
        return value;
    };
    for (const auto& field : expected) {
        EXPECT_EQ(next(), field.first);
        const int32_t length = next();
        EXPECT_EQ(length, field.second) << "tag " << field.first;
        at += static_cast<size_t>(length);
    }
    EXPECT_EQ(next(), 0);
    EXPECT_EQ(at, bytes.size());
    EXPECT_EQ(bytes.substr(20, 4), std::string("Fog") + '\0');
}

TEST(SprayFile, TheColourBlockIsNeitherWrittenNorRead) {
    test::TempFolder folder;
    SPRAYSTYLE coloured;
    coloured.Color[0] = 0xFF0000FF;
    coloured.Color[1] = 0x12345678;
    coloured.useFore = true;
    coloured.Coloring = 2;
    coloured.CycleLength = 6;
    PresetCatalogue list;
    list.AddPreset("c", coloured);
    list.AddPreset("plain", SPRAYSTYLE());
    list.SaveCatalogue(folder.File("c.spr"));
    list.SaveCatalogue(folder.File("c2.spr"));
    PresetCatalogue plain;
    plain.AddPreset("c", SPRAYSTYLE());
    plain.AddPreset("plain", SPRAYSTYLE());
    plain.SaveCatalogue(folder.File("plain.spr"));
    EXPECT_EQ(test::ReadFileText(folder.File("c.spr")), test::ReadFileText(folder.File("plain.spr")));

    PresetCatalogue back;
    ASSERT_TRUE(back.LoadCatalogue(folder.File("c.spr")));
    const SPRAYSTYLE& read = back.Style(0);
    EXPECT_EQ(read.Color[0], 0u);
    EXPECT_EQ(read.Color[1], 0u);
    EXPECT_FALSE(read.useFore);
    EXPECT_EQ(read.Coloring, 0);
    EXPECT_EQ(read.CycleLength, 0);
}

TEST(SprayFile, ARecordWithOnlyItsNameHasTheDefaultStyle) {
    PresetCatalogue list;
    ASSERT_EQ(Load(Header(1) + NameField("Smoke") + End(), &list).code, 0);
    ASSERT_EQ(list.Count(), 1);
    EXPECT_EQ(list.Name(0), "Smoke");
    ExpectSameStoredFields(list.Style(0), DefaultValidated());
    EXPECT_EQ(list.Style(0).SplitRate, 0.0001);
}

TEST(SprayFile, ARecordWithoutANameIsNamedNoName) {
    PresetCatalogue list;
    ASSERT_EQ(Load(Header(2) + End() + IntField(7, 5) + End(), &list).code, 0);
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(list.Name(0), kNoName);
    EXPECT_EQ(list.Name(1), kNoName);
    EXPECT_EQ(list.Style(0).Count, 20);  // equal names keep the file's order
    EXPECT_EQ(list.Style(1).Count, 5);
}

TEST(SprayFile, FieldsAreReadInAnyOrderAndValidatedAfterTheRecord) {
    PresetCatalogue list;
    const std::string record = RealField(33, 0.5) + IntField(25, 7) + RealField(18, 40.0) + Int32(6) + Int32(16) +
                               Real(-3.5) + Real(2.25) + IntField(24, 9) + RealField(22, -1.5) + NameField("z") +
                               IntField(9, -4) + End();
    ASSERT_EQ(Load(Header(1) + record, &list).code, 0);
    const SPRAYSTYLE& s = list.Style(0);
    EXPECT_EQ(list.Name(0), "z");
    EXPECT_EQ(s.SplitRate, 0.5);
    EXPECT_EQ(s.SplitMode, 2);         // clamped
    EXPECT_EQ(s.RepulsionArea, 16.0);  // clamped
    EXPECT_EQ(s.Velocity.x, -3.5);
    EXPECT_EQ(s.Velocity.y, 2.25);
    EXPECT_TRUE(s.UseSplit);  // any non-zero
    EXPECT_EQ(s.SpinAngle, -1.5);
    EXPECT_EQ(s.Life, 0);  // clamped

    // Reals that are not finite and a Count that would freeze every turn.
    const std::string hostile = RealField(22, std::nan("")) + RealField(2, HUGE_VAL) + Int32(6) + Int32(16) +
                                Real(-HUGE_VAL) + Real(std::nan("")) + IntField(7, 2147483647) + End();
    ASSERT_EQ(Load(Header(1) + hostile, &list).code, 0);
    const int32_t index = list.Count() - 1;
    EXPECT_EQ(list.Style(index).SpinAngle, 0.0);
    EXPECT_EQ(list.Style(index).Repulsion, 0.0);
    EXPECT_EQ(list.Style(index).Velocity.x, 0.0);
    EXPECT_EQ(list.Style(index).Velocity.y, 0.0);
    EXPECT_EQ(list.Style(index).Count, app::kMostCount);
}

TEST(SprayFile, VersionsUpToTwoAreReadAndNewerOnesRefused) {
    for (int32_t version : {0, 1, 2, -5}) {
        EXPECT_EQ(Load(Header(1, version) + NameField("a") + End()).code, 0) << version;
    }
    const Outcome newer = Load(Header(0, 3));
    EXPECT_EQ(newer.code, app::ErrorNewerFile);
    EXPECT_EQ(newer.fileName, "list.spr");
    EXPECT_NE(newer.message.find("新しいバージョン"), std::string::npos);
    EXPECT_NE(newer.message.find("list.spr"), std::string::npos);
}

TEST(SprayFile, ARepulsionFieldOfLengthFourIsABrokenFile) {
    const Outcome broken = Load(Header(1) + IntField(2, 1) + End());
    EXPECT_EQ(broken.code, app::ErrorBrokenFile);
    EXPECT_EQ(broken.fileName, "list.spr");
    EXPECT_NE(broken.message.find("list.spr"), std::string::npos);
    EXPECT_NE(broken.message.find("壊れている"), std::string::npos);
}

TEST(SprayFile, BadFilesAndWhatTheyYield) {
    const std::string good = NameField("ok") + End();
    const struct {
        const char* what;
        std::string bytes;
        int32_t code;
        int32_t presets;  // kept from before the failure
    } cases[] = {
        {"empty file", "", app::ErrorBrokenFile, 0},
        {"short magic", "DFL", app::ErrorBrokenFile, 0},
        {"other magic", "dflc" + Int32(2) + Int32(0), app::ErrorBrokenFile, 0},
        {"magic of a newer file kind checked first", "XXXX" + Int32(3) + Int32(0), app::ErrorBrokenFile, 0},
        {"no version", "DFLC", app::ErrorBrokenFile, 0},
        {"no count", "DFLC" + Int32(2), app::ErrorBrokenFile, 0},
        {"negative count", Header(-1), app::ErrorBrokenFile, 0},
        {"fewer records than counted", Header(3) + good + good, app::ErrorBrokenFile, 2},
        {"record without end", Header(2) + good + NameField("cut"), app::ErrorBrokenFile, 1},
        {"unknown tag 34", Header(2) + good + IntField(34, 0) + End(), app::ErrorBrokenFile, 1},
        {"negative tag", Header(1) + IntField(-1, 0) + End(), app::ErrorBrokenFile, 0},
        {"bool of length 1", Header(1) + Int32(12) + Int32(1) + "x" + End(), app::ErrorBrokenFile, 0},
        {"int of length 8", Header(1) + RealField(9, 1.0) + End(), app::ErrorBrokenFile, 0},
        {"pair of length 8", Header(1) + RealField(6, 1.0) + End(), app::ErrorBrokenFile, 0},
        {"real cut short", Header(1) + Int32(4) + Int32(8) + "1234", app::ErrorBrokenFile, 0},
        {"negative name length", Header(1) + Int32(1) + Int32(-2) + End(), app::ErrorBrokenFile, 0},
        {"name of two billion bytes", Header(1) + Int32(1) + Int32(2000000000) + "abc", app::ErrorBrokenFile, 0},
        {"extra bytes after the last record", Header(1) + good + "tail", 0, 1},
        {"name without its NUL", Header(1) + Int32(1) + Int32(2) + "ab" + End(), 0, 1},
    };
    for (const auto& c : cases) {
        const Outcome outcome = Load(c.bytes);
        EXPECT_EQ(outcome.code, c.code) << c.what;
        EXPECT_EQ(outcome.presets, c.presets) << c.what;
        if (c.code != 0) {
            EXPECT_EQ(outcome.fileName, "list.spr") << c.what;
        }
    }
}

// Random styles within the ranges that Validate keeps, reals of every magnitude and sign where
// the field has no rule.
SPRAYSTYLE RandomStyle(std::mt19937& random) {
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    std::uniform_real_distribution<double> wide(-1e6, 1e6);
    std::uniform_int_distribution<int32_t> small(0, 100000);
    auto within = [&](double low, double high) { return low + (high - low) * unit(random); };
    SPRAYSTYLE s;
    s.Repulsion = within(0, 50);
    s.RepulsionArea = within(0.0001, 16);
    s.Gravity = within(0, 50);
    s.gravityArea = within(0.0001, 16);
    s.Brake = unit(random);
    s.Viscosity = unit(random);
    s.ViscosityArea = within(0.0001, 16);
    s.LimitedSpeed = within(0, 100);
    s.SpinAngle = wide(random);
    s.SpinAngleWiggle = within(0, 360);
    s.SplitAngle1 = wide(random);
    s.SplitAngle2 = -unit(random) / 3;
    s.SplitAngleWiggle = within(0, 360);
    s.SplitRate = within(0.0001, 1);
    s.Life = small(random);
    s.SpinStep = 1 + small(random);
    s.SplitMode = small(random) % 3;
    s.SplitStep1 = 1 + small(random);
    s.SplitStep2 = 1 + small(random);
    s.SplitLag = small(random);
    s.UseLimitedSpeed = random() & 1;
    s.UseSpin = random() & 1;
    s.UseSplit = random() & 1;
    s.Velocity = {wide(random), wide(random) * 1e-300};
    s.VelocityWiggle = unit(random);
    s.VelocityWidth = within(0, 360);
    s.VelocityRotationSpeed = within(0, 360);
    s.Throwing = within(0, 10);
    s.VelocityMode = small(random) % 5;
    s.Count = small(random);
    s.Size = small(random);
    s.SplitGenerations = 1 + small(random);
    return s;
}

std::string RandomName(std::mt19937& random) {
    static const char* const pieces[] = {"a", "B", "z", " ", "煙", "\x83\x41", "\x83\x61", "_", "9", "ﾄ"};
    std::string name;
    const int length = static_cast<int>(random() % 6);
    for (int i = 0; i < length; ++i)
        name += pieces[random() % 10];
    return name;
}

TEST(SprayFile, SavedPresetsComeBackWithTheSameNamesAndFieldsBitForBit) {
    std::mt19937 random(20240613);
    test::TempFolder folder;
    for (int round = 0; round < 20; ++round) {
        PresetCatalogue list;
        const int count = static_cast<int>(random() % 12);
        for (int i = 0; i < count; ++i) {
            SPRAYSTYLE style = RandomStyle(random);
            SPRAYSTYLE validated = style;
            validated.Validate();
            ExpectSameStoredFields(style, validated);  // the generator stays in range
            list.AddPreset(RandomName(random), style);
        }
        const std::string path = folder.File("round.spr");
        list.SaveCatalogue(path);
        PresetCatalogue back;
        ASSERT_TRUE(back.LoadCatalogue(path));
        ASSERT_EQ(back.Count(), list.Count());
        for (int32_t i = 0; i < list.Count(); ++i) {
            EXPECT_EQ(back.Name(i), list.Name(i));
            ExpectSameStoredFields(back.Style(i), list.Style(i));
        }
    }
}

}  // namespace
