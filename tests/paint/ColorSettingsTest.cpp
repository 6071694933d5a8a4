#include <gtest/gtest.h>

#include <map>
#include <set>
#include <sstream>
#include <string>

#include "paint/ColorSettings.h"
#include "settings/IniFileBackend.h"
#include "settings/Registry.h"
#include "settings/RunSettings.h"
#include "tests/support/TestFiles.h"

namespace {

using app::ColorByRule;
using app::COLORSETTING;
using app::ColorWord;

constexpr int32_t kPaint = 0, kErase = 1, kBlur = 2;

COLORSETTING Setting(int32_t coloring, uint32_t fore, uint32_t back, int32_t period = 6, bool useFore = true) {
    return {{fore, back}, useFore, coloring, period};
}

uint32_t Gray(uint32_t v) {
    return ColorWord(v, v, v, v);
}

class ColorSettingsTest : public ::testing::Test {
  protected:
    void SetUp() override { app::ResetColorSettings(); }
    void TearDown() override { app::ResetColorSettings(); }
};

TEST_F(ColorSettingsTest, FirstStartDefaults) {
    for (int32_t tool = 0; tool < 3; ++tool) {
        const COLORSETTING s = app::GetColorSetting(tool);
        EXPECT_EQ(s.Color[0], ColorWord(255, 0, 0, 255));
        EXPECT_EQ(s.Color[1], ColorWord(0, 0, 0, 255));
        EXPECT_TRUE(s.useFore);
        EXPECT_EQ(s.Coloring, 0);
        EXPECT_EQ(s.CycleLength, 6);
    }
}

TEST_F(ColorSettingsTest, SetNormalisesRuleAndPeriodPerTool) {
    app::SetColorSetting(Setting(7, 1, 2, 0), kErase);
    EXPECT_EQ(app::GetColorSetting(kErase).Coloring, 0);
    EXPECT_EQ(app::GetColorSetting(kErase).CycleLength, 1);
    app::SetColorSetting(Setting(-1, 1, 2, -5), kBlur);
    EXPECT_EQ(app::GetColorSetting(kBlur).Coloring, 0);
    EXPECT_EQ(app::GetColorSetting(kBlur).CycleLength, 1);
    app::SetColorSetting(Setting(3, 1, 2, 9), kPaint);
    EXPECT_EQ(app::GetColorSetting(kPaint).Coloring, 3);
    EXPECT_EQ(app::GetColorSetting(kPaint).CycleLength, 9);
    EXPECT_EQ(app::GetColorSetting(kPaint).Color[1], 2u);
    // The others are untouched, and -1 names the current tool ("Paint" at start).
    EXPECT_EQ(app::GetColorSetting(kErase).Color[0], 1u);
    EXPECT_EQ(app::GetColorSetting(-1).CycleLength, 9);
}

TEST(ColorRules, FadeOverTheLife) {
    const COLORSETTING s = Setting(1, Gray(255), Gray(0));
    EXPECT_EQ(ColorByRule(s, 10, 0, 0), Gray(255));
    EXPECT_EQ(ColorByRule(s, 10, 5, 0), Gray(127));
    EXPECT_EQ(ColorByRule(s, 10, 10, 0), Gray(0));
    EXPECT_EQ(ColorByRule(s, 10, 11, 0), Gray(0));
    EXPECT_EQ(ColorByRule(s, 0, 0, 0), Gray(255));
    EXPECT_EQ(ColorByRule(s, 0, 3, 0), Gray(255));
    // Bytes mix separately, the level included.
    const COLORSETTING c = Setting(1, ColorWord(200, 0, 100, 255), ColorWord(0, 100, 100, 55));
    EXPECT_EQ(ColorByRule(c, 4, 1, 0), ColorWord(150, 25, 100, 205));
    // A life long enough to overflow 32-bit products still mixes correctly.
    EXPECT_EQ(ColorByRule(s, 2000000000, 1000000000, 0), Gray(127));
}

TEST(ColorRules, StripesAreATriangleWave) {
    const COLORSETTING six = Setting(2, Gray(255), Gray(0), 6);
    const uint32_t expected6[] = {255, 170, 85, 0, 85, 170, 255, 170};
    for (int32_t age = 0; age < 8; ++age)
        EXPECT_EQ(ColorByRule(six, 20, age, 0), Gray(expected6[age])) << age;
    // P = 5: h = 2 and r runs 0, 1, 2, 2, 1.
    const COLORSETTING five = Setting(2, Gray(254), Gray(0), 5);
    const uint32_t expected5[] = {254, 127, 0, 0, 127, 254};
    for (int32_t age = 0; age < 6; ++age)
        EXPECT_EQ(ColorByRule(five, 20, age, 0), Gray(expected5[age])) << age;
}

TEST(ColorRules, PeriodBelowTwoKeepsTheForeground) {
    for (int32_t period : {1, 0, -3}) {
        const COLORSETTING s = Setting(2, Gray(200), Gray(10), period);
        for (int32_t age = 0; age < 4; ++age)
            EXPECT_EQ(ColorByRule(s, 20, age, 0), Gray(200)) << period;
    }
}

TEST(ColorRules, SingleColourAndUnknownRules) {
    const uint32_t f = ColorWord(1, 2, 3, 4), b = ColorWord(5, 6, 7, 8);
    EXPECT_EQ(ColorByRule(Setting(0, f, b, 6, true), 20, 3, 0), f);
    EXPECT_EQ(ColorByRule(Setting(0, f, b, 6, false), 20, 3, 0), b);
    // "Erase" and "Blur" always use the foreground.
    EXPECT_EQ(ColorByRule(Setting(0, f, b, 6, false), 20, 3, 1), f);
    EXPECT_EQ(ColorByRule(Setting(0, f, b, 6, false), 20, 3, 2), f);
    // The random mix was made at emission into the foreground.
    EXPECT_EQ(ColorByRule(Setting(3, f, b, 6, false), 20, 3, 0), f);
    // Values that only the store can hold behave as rule 0.
    EXPECT_EQ(ColorByRule(Setting(4, f, b, 6, false), 20, 3, 0), b);
    EXPECT_EQ(ColorByRule(Setting(-2, f, b, 6, false), 20, 3, 1), f);
}

// Section name -> set of keys, from an INI file's text.
std::map<std::string, std::set<std::string>> IniKeys(const std::string& text) {
    std::map<std::string, std::set<std::string>> keys;
    std::istringstream in(text);
    std::string line, section;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty())
            continue;
        if (line.front() == '[') {
            section = line.substr(1, line.size() - 2);
        } else if (line.find('=') != std::string::npos) {
            keys[section].insert(line.substr(0, line.find('=')));
        }
    }
    return keys;
}

void Exchange(const std::string& path, bool loading) {
    app::Registry store;
    store.Open(std::make_unique<app::IniFileBackend>(path), loading);
    app::ExchangeColorSettings(store);
    store.Close();
}

TEST_F(ColorSettingsTest, StoresOnlyTheBytesEachToolHas) {
    test::TempFolder folder;
    const std::string path = folder.File("x.ini");
    Exchange(path, false);
    const auto keys = IniKeys(test::ReadFileText(path));
    const std::set<std::string> paint = {"Color0_0", "Color0_1", "Color0_2", "Color0_3", "Color1_0",   "Color1_1",
                                         "Color1_2", "Color1_3", "useFore",  "Coloring", "CycleLength"};
    const std::set<std::string> levelsOnly = {"Color0_3", "Color1_3", "useFore", "Coloring", "CycleLength"};
    ASSERT_TRUE(keys.count("Paint\\Color"));
    EXPECT_EQ(keys.at("Paint\\Color"), paint);
    EXPECT_EQ(keys.at("Erase\\Color"), levelsOnly);
    EXPECT_EQ(keys.at("Blur\\Color"), levelsOnly);
}

TEST_F(ColorSettingsTest, SaveAndLoadRoundTripWithoutNormalising) {
    test::TempFolder folder;
    const std::string path = folder.File("x.ini");
    app::SetColorSetting(Setting(2, ColorWord(10, 20, 30, 40), ColorWord(50, 60, 70, 80), 9, false), kPaint);
    app::SetColorSetting(Setting(1, ColorWord(11, 21, 31, 41), ColorWord(51, 61, 71, 81), 3, false), kErase);
    Exchange(path, false);
    app::ResetColorSettings();
    Exchange(path, true);
    const COLORSETTING paint = app::GetColorSetting(kPaint);
    EXPECT_EQ(paint.Color[0], ColorWord(10, 20, 30, 40));
    EXPECT_EQ(paint.Color[1], ColorWord(50, 60, 70, 80));
    EXPECT_FALSE(paint.useFore);
    EXPECT_EQ(paint.Coloring, 2);
    EXPECT_EQ(paint.CycleLength, 9);
    // "Erase" keeps only its levels; its colour bytes come back as the defaults.
    const COLORSETTING erase = app::GetColorSetting(kErase);
    EXPECT_EQ(erase.Color[0], ColorWord(255, 0, 0, 41));
    EXPECT_EQ(erase.Color[1], ColorWord(0, 0, 0, 81));
    EXPECT_EQ(erase.Coloring, 1);
    EXPECT_EQ(erase.CycleLength, 3);

    // Out-of-range values load as they are; the rules treat them safely.
    test::WriteFileText(path, "[App]\nRegistryVersion=1\n[Blur\\Color]\nColoring=9\nCycleLength=-4\n");
    Exchange(path, true);
    const COLORSETTING blur = app::GetColorSetting(kBlur);
    EXPECT_EQ(blur.Coloring, 9);
    EXPECT_EQ(blur.CycleLength, -4);
    EXPECT_EQ(ColorByRule(blur, 20, 5, 2), blur.Color[0]);
    app::SetColorSetting(blur, kBlur);
    EXPECT_EQ(app::GetColorSetting(kBlur).Coloring, 0);
    EXPECT_EQ(app::GetColorSetting(kBlur).CycleLength, 1);
}

}  // namespace
