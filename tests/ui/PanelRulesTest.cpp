#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "base/Image.h"
#include "engine/SPRAYSTYLE.h"
#include "resources/ResourceIds.h"
#include "ui/AngleDial.h"
#include "ui/ColorPanelRules.h"
#include "ui/FileFilter.h"
#include "ui/NumberText.h"
#include "ui/ParameterChecks.h"
#include "ui/SprayPanelTable.h"
#include "ui/VectorForm.h"
#include "ui/VolumeScale.h"

namespace {

using app::CHECKRESULT;
using app::ColorPanelRules;
using app::ParameterChecks;
using app::SprayPanelTable;
using app::VolumeScale;

constexpr double kPi = 3.141592653589793;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

TEST(PanelRules, VectorsGoToLengthAndDirectionAndBack) {
    struct {
        double x, y, length, angle;
    } const cases[] = {
        {0, 0, 0, 0},                  // the zero vector points right
        {0, 0.5, 0.5, -kPi / 2},       // down the picture
        {3, -4, 5, std::atan2(4, 3)},  // up and to the right
        {-2, 0, 2, -kPi},              // atan2(-0, -2): pointing left
    };
    for (const auto& c : cases) {
        const app::VECTORFORM form = app::ToVectorForm({c.x, c.y});
        EXPECT_EQ(form.length, c.length) << c.x << "," << c.y;
        EXPECT_EQ(form.angle, c.angle) << c.x << "," << c.y;
        const app::Vector2 back = app::FromVectorForm(form);
        EXPECT_NEAR(back.x, c.x, 1e-15);
        EXPECT_NEAR(back.y, c.y, 1e-15);
    }
}

TEST(PanelRules, SliderValuesFollowTheMouseWithinTheRange) {
    struct {
        int32_t x, left, width;
        double minimum, maximum, value;
    } const cases[] = {
        {50, 0, 100, 0, 1, 0.5},  {25, 0, 100, 1, 5, 2}, {-10, 0, 100, 0, 1, 0},  // left of the bar
        {150, 0, 100, 0, 1, 1},   {40, 0, 100, 1, 1, 1},                          // zero span: the minimum
        {40, 0, 0, 3, 9, 3},                                                      // zero width
        {10, 0, 100, 0, kNaN, 0},                                                 // a limit that is no number
    };
    for (const auto& c : cases) {
        EXPECT_EQ(VolumeScale::ValueFromX(c.x, c.left, c.width, c.minimum, c.maximum), c.value) << c.x;
    }
    EXPECT_EQ(VolumeScale::BarWidth(0.5, 0, 1, 98), 49);
    EXPECT_EQ(VolumeScale::BarWidth(1.7, 0, 1, 98), 98);  // a value beyond the limit fills the bar
    EXPECT_EQ(VolumeScale::BarWidth(3, 3, 3, 98), 0);
    EXPECT_EQ(VolumeScale::BarWidth(kNaN, 0, 1, 98), 0);
}

TEST(PanelRules, SliderTextsByKind) {
    EXPECT_STREQ(VolumeScale::Text(VolumeScale::KindPercent, 0.5).CStr(), "50%");
    EXPECT_STREQ(VolumeScale::Text(VolumeScale::KindPercent, 1.7).CStr(), "170%");
    EXPECT_STREQ(VolumeScale::Text(VolumeScale::KindValue, 2.5).CStr(), "2.5000");
    EXPECT_STREQ(VolumeScale::Text(VolumeScale::KindDots, 10).CStr(), "10ドット");
    EXPECT_STREQ(VolumeScale::Text(VolumeScale::KindDegrees, 90).CStr(), "90°");
    EXPECT_STREQ(VolumeScale::Text(VolumeScale::KindParentDraws, 7).CStr(), "");
}

TEST(PanelRules, AnglePickerPointsAndShowsDegrees) {
    EXPECT_EQ(app::AngleDial::AngleFromPoint(16, 13, 33, 26), 0.0);  // the centre
    EXPECT_EQ(app::AngleDial::AngleFromPoint(30, 13, 33, 26), 0.0);
    EXPECT_EQ(app::AngleDial::AngleFromPoint(16, 0, 33, 26), kPi / 2);
    EXPECT_DOUBLE_EQ(app::AngleDial::ShownDegrees(-kPi / 2, false), 270);
    EXPECT_DOUBLE_EQ(app::AngleDial::ShownDegrees(-kPi / 2, true), -90);
    EXPECT_STREQ(app::AngleDial::Text(-kPi / 2, false).CStr(), "270ﾟ");
    EXPECT_STREQ(app::AngleDial::Text(-kPi / 2, true).CStr(), "-90ﾟ");
    app::Point32 pointer[4];
    app::AngleDial::Pointer(0, 40, 20, pointer);
    EXPECT_EQ(pointer[0].x, 38);
    EXPECT_EQ(pointer[0].y, 10);
    EXPECT_EQ(pointer[1].x, 30);
    EXPECT_EQ(pointer[1].y, 12);
    EXPECT_EQ(pointer[3].x, pointer[0].x);
}

TEST(PanelRules, SprayRowsReadAndWriteTheirFields) {
    app::SPRAYSTYLE style;
    style.Velocity = {3, -4};
    EXPECT_EQ(SprayPanelTable::Value(style, SprayPanelTable::kVelocityRow), 5.0);
    EXPECT_EQ(SprayPanelTable::Value(style, 6), 20.0);  // Count
    SprayPanelTable::SetValue(style, 6, 37.9);
    EXPECT_EQ(style.Count, 37);
    SprayPanelTable::SetValue(style, 8, 1e300);  // a slider under a huge typed limit
    EXPECT_EQ(style.Life, std::numeric_limits<int32_t>::max());
    SprayPanelTable::SetValue(style, 2, 0.25);
    EXPECT_EQ(style.Brake, 0.25);
    EXPECT_EQ(SprayPanelTable::RowOfButton(IDC_LIFE_DETAIL), 8);
    EXPECT_EQ(SprayPanelTable::RowOfButton(IDC_PARTICLE_SIZE_DETAIL), 7);
    EXPECT_EQ(SprayPanelTable::RowOfButton(IDC_USE_SPIN), -1);
    EXPECT_EQ(SprayPanelTable::Lower(6), 1.0);
    EXPECT_EQ(SprayPanelTable::Lower(0), 0.0);
}

TEST(PanelRules, LoadedLimitsBelowTheirRowsMinimumAreRaised) {
    double limits[SprayPanelTable::kRows];
    SprayPanelTable::DefaultLimits(limits);
    EXPECT_EQ(limits[6], 50.0);
    EXPECT_EQ(limits[2], 1.0);
    limits[0] = 0;
    limits[6] = 0.5;
    limits[9] = kNaN;
    limits[7] = 1000;
    limits[4] = 1e300;
    limits[8] = 1000000;
    SprayPanelTable::RaiseLoadedLimits(limits);
    EXPECT_EQ(limits[0], 0.0001);
    EXPECT_EQ(limits[6], 1.0);
    EXPECT_EQ(limits[9], 0.0001);
    EXPECT_EQ(limits[7], 1000.0);
    EXPECT_EQ(limits[4], 1000.0);                                        // beyond the largest: lowered to it
    EXPECT_EQ(limits[8], 100000.0);                                      // the life's largest limit
    EXPECT_EQ(SprayPanelTable::LimitRange(6).maximum, app::kMostCount);  // the count's cap
}

TEST(PanelRules, DialogChecksRefuseWithTheirMessageAndBounds) {
    struct {
        CHECKRESULT result;
        bool passes;
        const char* text;
    } const cases[] = {
        {ParameterChecks::Limit(0.5, {1, 1000}), false, "上限の値には1以上、1000以下を指定してください。"},
        {ParameterChecks::Limit(1, {1, 1000}), true, ""},
        {ParameterChecks::Limit(1e300, {0.0001, 1000}), false, "上限の値には0.0001以上、1000以下を指定してください。"},
        {ParameterChecks::Limit(1000001, {1, 100000}), false, "上限の値には1以上、100000以下を指定してください。"},
        {ParameterChecks::Limit(kNaN, {0, 1}), false, "上限の値には0以上、1以下を指定してください。"},  // "abc"
        {ParameterChecks::Velocity(5, {0.0001, 1000}, 361, 10), false,
         "広がる角度には0以上、360以下を指定してください。"},
        {ParameterChecks::Velocity(5, {0.0001, 1000}, 360, -1), false,
         "回転速度には0以上、360以下を指定してください。"},
        {ParameterChecks::Velocity(0, {0.0001, 1000}, 400, 400), false,
         "上限の値には0.0001以上、1000以下を指定してください。"},
        {ParameterChecks::Velocity(5, {0.0001, 1000}, 0, kNaN), false,
         "回転速度には0以上、360以下を指定してください。"},
        {ParameterChecks::Spin(20, 20), true, ""},
        {ParameterChecks::Spin(21, 20), false, "間隔には1以上、寿命の20以下を指定してください。"},
        {ParameterChecks::Spin(app::NumberText::kNoWhole, 20), false,
         "間隔には1以上、寿命の20以下を指定してください。"},
        {ParameterChecks::Split({20, 20, 20, 1}, 20), true, ""},
        {ParameterChecks::Split({10, 21, 0, 3}, 20), false, "間隔には1以上、寿命の20以下を指定してください。"},
        {ParameterChecks::Split({app::NumberText::kNoWhole, 10, 0, 3}, 300), false,
         "間隔には1以上、寿命の300以下を指定してください。"},
        {ParameterChecks::Split({10, 10, -1, 3}, 20), false, "ずれには0以上、寿命の20以下を指定してください。"},
        {ParameterChecks::Split({10, 10, 0, 0}, 20), false, "世代数には1以上、2147483647以下を指定してください。"},
        {ParameterChecks::Options(app::NumberText::kNoWhole, 1, 0), false,
         "ターンの間隔には1以上、2147483647以下を指定してください。"},
        {ParameterChecks::StripePeriod(0), false, "縞模様の周期には1以上、2147483647以下を指定してください。"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.result.passes, c.passes) << c.text;
        if (!c.passes) {
            EXPECT_STREQ(ParameterChecks::Message(c.result).CStr(), c.text);
        }
    }
}

// A field holds a number only when its whole text is one: anything else is no value at all,
// which the checks above refuse with the field's range.
TEST(PanelRules, FieldsHoldANumberOnlyWhenTheirWholeTextIsOne) {
    struct {
        const char* text;
        bool whole;
        int32_t wholeValue;
        bool decimal;
        double decimalValue;
    } const cases[] = {
        {"42", true, 42, true, 42.0},
        {" -7 ", true, -7, true, -7.0},
        {"+3", true, 3, true, 3.0},
        {"2147483647", true, 2147483647, true, 2147483647.0},
        {"-2147483648", true, INT32_MIN, true, -2147483648.0},
        {"99999999999", false, 0, true, 99999999999.0},
        {"abc", false, 0, false, 0},
        {"12abc", false, 0, false, 0},
        {"", false, 0, false, 0},
        {"1.5", false, 0, true, 1.5},
        {".5", false, 0, true, 0.5},
        {"1e300", false, 0, true, 1e300},
        {"1e", false, 0, false, 0},
        {"1e999", false, 0, false, 0},
        {"0x10", false, 0, false, 0},
        {"inf", false, 0, false, 0},
        {"nan", false, 0, false, 0},
        {"-", false, 0, false, 0},
        {".", false, 0, false, 0},
    };
    for (const auto& c : cases) {
        int32_t whole = 0;
        double decimal = 0;
        EXPECT_EQ(app::NumberText::ReadWhole(c.text, &whole), c.whole) << c.text;
        EXPECT_EQ(app::NumberText::ReadDecimal(c.text, &decimal), c.decimal) << c.text;
        if (c.whole) {
            EXPECT_EQ(whole, c.wholeValue) << c.text;
        }
        if (c.decimal) {
            EXPECT_EQ(decimal, c.decimalValue) << c.text;
        }
    }
}

TEST(PanelRules, TheSplitDialogNotesARateOfNoneWhileSplittingIsOn) {
    EXPECT_TRUE(ParameterChecks::SplitRateNote(true, 0.0001));  // a new style's rate
    EXPECT_FALSE(ParameterChecks::SplitRateNote(false, 0.0001));
    EXPECT_FALSE(ParameterChecks::SplitRateNote(true, 0.01));
}

TEST(PanelRules, SplitModesEnableTheirControls) {
    const app::SPLITENABLING off = ParameterChecks::SplitEnabling(false, 2);
    EXPECT_FALSE(off.common || off.secondStep || off.secondAngle);
    const app::SPLITENABLING one = ParameterChecks::SplitEnabling(true, 0);
    EXPECT_TRUE(one.common);
    EXPECT_FALSE(one.secondStep || one.secondAngle);
    const app::SPLITENABLING fork = ParameterChecks::SplitEnabling(true, 1);
    EXPECT_TRUE(fork.secondAngle);
    EXPECT_FALSE(fork.secondStep);
    const app::SPLITENABLING two = ParameterChecks::SplitEnabling(true, 2);
    EXPECT_TRUE(two.secondStep && two.secondAngle);
}

TEST(PanelRules, TheColourTableRunsBlueDownAndGreenAcrossWithTheLevelAsRed) {
    struct {
        int32_t width, height;
    } const sizes[] = {{64, 32}, {1, 5}, {5, 1}, {1, 1}};
    for (const auto& size : sizes) {
        app::Image table;
        table.Create(size.width, size.height, 3);
        ColorPanelRules::FillTable(table, 77);
        const int32_t w = size.width, h = size.height;
        // Bottom right: full blue and green, unless a single row or column has no run.
        const uint32_t corner = ColorPanelRules::PickedColour(table, w - 1, h - 1);
        EXPECT_EQ(corner & 0xFF, 77u) << w << "x" << h;
        EXPECT_EQ(corner >> 8 & 0xFF, w > 1 ? 255u : 0u) << w << "x" << h;
        EXPECT_EQ(corner >> 16, h > 1 ? 255u : 0u) << w << "x" << h;
        EXPECT_EQ(ColorPanelRules::PickedColour(table, 0, 0), 77u);
        EXPECT_EQ(ColorPanelRules::PickedColour(table, w, 0), 0u);  // outside
        for (int32_t y = 0; y < h; ++y) {
            for (int32_t x = table.RowBytes(); x < table.Stride(); ++x)
                EXPECT_EQ(table.ConstRow(y)[x], 0);  // padding
        }
    }
    app::Image table;
    table.Create(64, 32, 3);
    ColorPanelRules::FillTable(table, 0);
    EXPECT_EQ(ColorPanelRules::PickedColour(table, 21, 10), (10u * 255 / 31) << 16 | (21u * 255 / 63) << 8);
}

TEST(PanelRules, APickedColourGoesToTheActiveColourAndKeepsItsLevel) {
    app::COLORSETTING setting = {{app::ColorWord(1, 2, 3, 40), app::ColorWord(5, 6, 7, 80)}, false, 0, 6};
    ColorPanelRules::ApplyPickedColour(setting, 0x00C08040u);  // COLORREF: red 0x40, green 0x80, blue 0xC0
    EXPECT_EQ(setting.Color[0], app::ColorWord(1, 2, 3, 40));
    EXPECT_EQ(setting.Color[1], app::ColorWord(0x40, 0x80, 0xC0, 80));
    setting.useFore = true;
    ColorPanelRules::ApplyPickedColour(setting, 0x000000FFu);
    EXPECT_EQ(setting.Color[0], app::ColorWord(255, 0, 0, 40));
}

TEST(PanelRules, TheForegroundSquareIsHitFirst) {
    // 30 x 30: foreground (0, 0)-(20, 20), background (10, 10)-(30, 30).
    struct {
        int32_t x, y, square;
    } const cases[] = {{5, 5, 1}, {15, 15, 1}, {25, 25, 0}, {19, 25, 0}, {25, 5, -1}, {5, 25, -1}, {30, 30, -1}};
    for (const auto& c : cases)
        EXPECT_EQ(ColorPanelRules::SquareAt(c.x, c.y, 30, 30), c.square) << c.x << "," << c.y;
}

TEST(PanelRules, ColourControlsFollowTheToolAndTheRule) {
    struct {
        int32_t tool, coloring;
        bool current, backgroundLevel;
    } const cases[] = {{0, 0, true, true},  {0, 2, true, true},   {1, 0, false, false},
                       {1, 3, false, true}, {2, 0, false, false}, {2, 1, false, true}};
    for (const auto& c : cases) {
        const app::COLORENABLING on = ColorPanelRules::Enabling(c.tool, c.coloring);
        EXPECT_EQ(on.current, c.current) << c.tool << "/" << c.coloring;
        EXPECT_EQ(on.backgroundLevel, c.backgroundLevel) << c.tool << "/" << c.coloring;
    }
    EXPECT_EQ(ColorPanelRules::LoadedLevel(300), 255);
    EXPECT_EQ(ColorPanelRules::LoadedLevel(-4), 0);
    EXPECT_EQ(ColorPanelRules::LoadedLevel(128), 128);
}

TEST(PanelRules, StripePeriodAndOptionsChecks) {
    EXPECT_TRUE(ParameterChecks::StripePeriod(1).passes);
    EXPECT_STREQ(ParameterChecks::Message(ParameterChecks::StripePeriod(0)).CStr(),
                 "縞模様の周期には1以上、2147483647以下を指定してください。");
    struct {
        int32_t turn, display, history;
        const char* text;
    } const cases[] = {
        {40, 1, 100, nullptr},
        {1, 1, 0, nullptr},
        {0, 1, 100, "ターンの間隔には1以上、2147483647以下を指定してください。"},
        {40, -3, 100, "表示間隔には1以上、2147483647以下を指定してください。"},
        {40, 1, -1, "履歴の回数には0以上、2147483647以下を指定してください。"},
        {0, 0, -1, "ターンの間隔には1以上、2147483647以下を指定してください。"},  // the first refusal is the one shown
        {app::NumberText::kNoWhole, 1, 0, "ターンの間隔には1以上、2147483647以下を指定してください。"},  // 99999999999
    };
    for (const auto& c : cases) {
        const CHECKRESULT result = ParameterChecks::Options(c.turn, c.display, c.history);
        EXPECT_EQ(result.passes, c.text == nullptr);
        if (c.text) {
            EXPECT_STREQ(ParameterChecks::Message(result).CStr(), c.text);
        }
    }
}

TEST(PanelRules, AFileFilterIsSplitAtEveryBarThatIsNotHalfACharacter) {
    const std::string nul(1, '\0');
    EXPECT_EQ(app::FileFilter::FromText("list(*.spr)|*.spr||"), "list(*.spr)" + nul + "*.spr" + nul + nul);
    // "ソ" in code page 932 is 0x83 0x7C: its second byte is the bar's.
    EXPECT_EQ(app::FileFilter::FromText("\x83\x7C|*.spr||"), "\x83\x7C" + nul + "*.spr" + nul + nul);
}

}  // namespace
