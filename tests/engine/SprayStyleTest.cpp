#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include "engine/SPRAYSTYLE.h"
#include "settings/IniFileBackend.h"
#include "settings/Registry.h"
#include "settings/RunSettings.h"
#include "tests/support/TestFiles.h"

namespace {

constexpr double kPi = 3.141592653589793;

using app::SPRAYSTYLE;

void ExchangeAll(const std::string& path, bool loading) {
    app::Registry store;
    store.Open(std::make_unique<app::IniFileBackend>(path), loading);
    app::ExchangeSprayStyles(store);
    store.Close();
}

SPRAYSTYLE LoadPaintStyle(const std::string& sprayValues) {
    test::TempFolder folder;
    const std::string path = folder.File("s.ini");
    test::WriteFileText(path, "[App]\r\nRegistryVersion=1\r\n[Paint\\Spray]\r\n" + sprayValues);
    ExchangeAll(path, true);
    return app::GetSprayStyle(0);
}

// The value names of one section of a saved file, in file order.
std::vector<std::string> KeysOfSection(const std::string& text, const std::string& section) {
    std::vector<std::string> keys;
    std::istringstream lines(text);
    std::string line;
    bool inside = false;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!line.empty() && line[0] == '[') {
            inside = line == "[" + section + "]";
        } else if (inside && line.find('=') != std::string::npos) {
            keys.push_back(line.substr(0, line.find('=')));
        }
    }
    return keys;
}

TEST(SprayStyle, EngineUnitsOfTheDefaults) {
    SPRAYSTYLE style;
    style.ToEngineUnits();
    EXPECT_EQ(style.Repulsion, 0.15625);
    EXPECT_NEAR(style.RepulsionArea, 6.25, 1e-12);
    EXPECT_EQ(style.Gravity, 0.125);
    EXPECT_EQ(style.gravityArea, 1.0);
    EXPECT_EQ(style.Brake, 0.95);
    EXPECT_EQ(style.Viscosity, 0.65);
    EXPECT_EQ(style.ViscosityArea, 2.2857142857142856);
    EXPECT_EQ(style.LimitedSpeed, 0.0625);
    EXPECT_EQ(style.Throwing, 0.000625);
    // Spread angles stay in degrees; the wiggles become radians.
    EXPECT_EQ(style.VelocityWidth, 1.0);
    EXPECT_EQ(style.VelocityRotationSpeed, 10.0);
    SPRAYSTYLE wiggly;
    wiggly.SpinAngleWiggle = 180.0;
    wiggly.SplitAngleWiggle = 90.0;
    wiggly.Velocity = {32.0, -8.0};
    wiggly.ToEngineUnits();
    EXPECT_NEAR(wiggly.SpinAngleWiggle, kPi, 1e-15);
    EXPECT_NEAR(wiggly.SplitAngleWiggle, kPi / 2, 1e-15);
    EXPECT_EQ(wiggly.Velocity.x, 2.0);
    EXPECT_EQ(wiggly.Velocity.y, -0.5);
}

TEST(SprayStyle, ValidateClampsEveryRangeAndLeavesAnglesAlone) {
    SPRAYSTYLE style;
    style.Repulsion = -1;
    style.Gravity = std::nan("");
    style.RepulsionArea = 0;
    style.gravityArea = 40;
    style.ViscosityArea = std::nan("");
    style.Brake = 1.5;
    style.Viscosity = -0.5;
    style.SpinAngle = -3.0;
    style.SplitAngle1 = -2.0;
    style.SpinAngleWiggle = -5;
    style.SplitAngleWiggle = 400;
    style.SplitRate = 0;
    style.Life = -4;
    style.SpinStep = 0;
    style.SplitStep1 = -7;
    style.SplitStep2 = 0;
    style.SplitLag = -1;
    style.SplitMode = -3;
    style.VelocityMode = 7;
    style.Count = -1;
    style.Size = -1;
    style.SplitGenerations = 0;
    style.VelocityWidth = 361;
    style.VelocityWiggle = 2;
    style.Throwing = -0.5;
    style.Velocity = {-100, 100};
    style.Validate();
    EXPECT_EQ(style.Repulsion, 0.0);
    EXPECT_EQ(style.Gravity, 0.0);
    EXPECT_EQ(style.RepulsionArea, 0.0001);
    EXPECT_EQ(style.gravityArea, 16.0);
    EXPECT_EQ(style.ViscosityArea, 0.0001);
    EXPECT_EQ(style.Brake, 1.0);
    EXPECT_EQ(style.Viscosity, 0.0);
    EXPECT_EQ(style.SpinAngle, -3.0);
    EXPECT_EQ(style.SplitAngle1, -2.0);
    EXPECT_EQ(style.SpinAngleWiggle, 0.0);
    EXPECT_EQ(style.SplitAngleWiggle, 360.0);
    EXPECT_EQ(style.SplitRate, 0.0001);
    EXPECT_EQ(style.Life, 0);
    EXPECT_EQ(style.SpinStep, 1);
    EXPECT_EQ(style.SplitStep1, 1);
    EXPECT_EQ(style.SplitStep2, 1);
    EXPECT_EQ(style.SplitLag, 0);
    EXPECT_EQ(style.SplitMode, 0);
    EXPECT_EQ(style.VelocityMode, 4);
    EXPECT_EQ(style.Count, 0);
    EXPECT_EQ(style.Size, 0);
    EXPECT_EQ(style.SplitGenerations, 1);
    EXPECT_EQ(style.VelocityWidth, 360.0);
    EXPECT_EQ(style.VelocityWiggle, 1.0);
    EXPECT_EQ(style.Throwing, 0.0);
    EXPECT_EQ(style.Velocity.x, -100.0);
    EXPECT_EQ(style.Velocity.y, 100.0);
}

// Whatever a file or a panel hands over, a style never holds a real that is not finite, and its
// batch never grows beyond kMostCount (a stored 2,147,483,647 made every turn take minutes).
TEST(SprayStyle, ValidateLeavesOnlyFiniteRealsAndABoundedCount) {
    double SPRAYSTYLE::*const reals[] = {
        &SPRAYSTYLE::Repulsion,
        &SPRAYSTYLE::RepulsionArea,
        &SPRAYSTYLE::Gravity,
        &SPRAYSTYLE::gravityArea,
        &SPRAYSTYLE::Brake,
        &SPRAYSTYLE::Viscosity,
        &SPRAYSTYLE::ViscosityArea,
        &SPRAYSTYLE::LimitedSpeed,
        &SPRAYSTYLE::SpinAngle,
        &SPRAYSTYLE::SpinAngleWiggle,
        &SPRAYSTYLE::SplitAngle1,
        &SPRAYSTYLE::SplitAngle2,
        &SPRAYSTYLE::SplitAngleWiggle,
        &SPRAYSTYLE::SplitRate,
        &SPRAYSTYLE::VelocityWiggle,
        &SPRAYSTYLE::VelocityWidth,
        &SPRAYSTYLE::VelocityRotationSpeed,
        &SPRAYSTYLE::Throwing,
    };
    for (const double bad : {HUGE_VAL, -HUGE_VAL, std::nan("")}) {
        SPRAYSTYLE style;
        for (double SPRAYSTYLE::*real : reals)
            style.*real = bad;
        style.Velocity = {bad, bad};
        style.Validate();
        for (double SPRAYSTYLE::*real : reals)
            EXPECT_TRUE(std::isfinite(style.*real)) << bad;
        EXPECT_TRUE(std::isfinite(style.Velocity.x) && std::isfinite(style.Velocity.y)) << bad;
    }
    SPRAYSTYLE style;
    style.Count = 2147483647;
    style.Validate();
    EXPECT_EQ(style.Count, app::kMostCount);
    style.Count = app::kMostCount;
    style.Validate();
    EXPECT_EQ(style.Count, app::kMostCount);
    EXPECT_EQ(LoadPaintStyle("Count=4294967297\r\n").Count, app::kMostCount);
    const SPRAYSTYLE loaded = LoadPaintStyle("SpinAngle=inf\r\nVelocityX=-1e999\r\n");
    EXPECT_EQ(loaded.SpinAngle, 0.0);
    EXPECT_TRUE(std::isfinite(loaded.Velocity.x));
}

TEST(SprayStyle, LoadingClampsStoredValues) {
    const SPRAYSTYLE style = LoadPaintStyle(
        "RepulsionArea=40\r\nSplitRate=0\r\nSpinAngle=-0.5\r\nSpinAngleWiggle=-3\r\nVelocityMode=7\r\n"
        "SplitMode=-3\r\nVelocityX=1.5\r\nVelocityY=-2\r\nUseSplit=1\r\nCount=33\r\n");
    EXPECT_EQ(style.RepulsionArea, 16.0);
    EXPECT_EQ(style.SplitRate, 0.0001);
    EXPECT_EQ(style.SpinAngle, -0.5);
    EXPECT_EQ(style.SpinAngleWiggle, 0.0);
    EXPECT_EQ(style.VelocityMode, 4);
    EXPECT_EQ(style.SplitMode, 0);
    EXPECT_EQ(style.Velocity.x, 1.5);
    EXPECT_EQ(style.Velocity.y, -2.0);
    EXPECT_TRUE(style.UseSplit);
    EXPECT_EQ(style.Count, 33);
    EXPECT_EQ(LoadPaintStyle("RepulsionArea=0\r\n").RepulsionArea, 0.0001);
    // Missing values take their defaults; the missing SplitRate is raised like a stored 0.
    const SPRAYSTYLE empty = LoadPaintStyle("");
    EXPECT_EQ(empty.Repulsion, 2.5);
    EXPECT_EQ(empty.SplitRate, 0.0001);
    EXPECT_EQ(empty.VelocityMode, 3);
}

TEST(SprayStyle, AnotherLayoutVersionLoadsEveryDefault) {
    test::TempFolder folder;
    const std::string path = folder.File("s.ini");
    test::WriteFileText(path, "[App]\r\nRegistryVersion=2\r\n[Erase\\Spray]\r\nCount=5\r\nLife=99\r\n");
    ExchangeAll(path, true);
    EXPECT_EQ(app::GetSprayStyle(1).Count, 20);
    EXPECT_EQ(app::GetSprayStyle(1).Life, 20);
}

TEST(SprayStyle, SavingWritesEveryToolInTheFixedKeyOrderAndReadsItBack) {
    SPRAYSTYLE blur;
    blur.Life = 77;
    blur.Velocity = {0.25, -4};
    app::SetSprayStyle(2, blur);
    test::TempFolder folder;
    const std::string path = folder.File("s.ini");
    ExchangeAll(path, false);
    const std::string text = test::ReadFileText(path);
    const std::vector<std::string> expected = {"Repulsion",
                                               "RepulsionArea",
                                               "Gravity",
                                               "gravityArea",
                                               "Brake",
                                               "Viscosity",
                                               "ViscosityArea",
                                               "Life",
                                               "LimitedSpeed",
                                               "UseLimitedSpeed",
                                               "VelocityX",
                                               "VelocityY",
                                               "VelocityWiggle",
                                               "VelocityWidth",
                                               "VelocityRotationSpeed",
                                               "VelocityMode",
                                               "Count",
                                               "Size",
                                               "Throwing",
                                               "UseSpin",
                                               "SpinStep",
                                               "SpinAngle",
                                               "SpinAngleWiggle",
                                               "UseSplit",
                                               "SplitMode",
                                               "SplitStep1",
                                               "SplitStep2",
                                               "SplitAngle1",
                                               "SplitAngle2",
                                               "SplitAngleWiggle",
                                               "SplitLag",
                                               "SplitGenerations",
                                               "SplitRate"};
    EXPECT_EQ(KeysOfSection(text, "Paint\\Spray"), expected);
    EXPECT_EQ(KeysOfSection(text, "Erase\\Spray"), expected);
    EXPECT_EQ(KeysOfSection(text, "Blur\\Spray"), expected);
    EXPECT_NE(text.find("Life=77\r\n"), std::string::npos);

    app::SetSprayStyle(2, SPRAYSTYLE());
    ExchangeAll(path, true);
    EXPECT_EQ(app::GetSprayStyle(2).Life, 77);
    EXPECT_EQ(app::GetSprayStyle(2).Velocity.y, -4.0);
}

TEST(SprayStyle, SetValidatesAndMinusOneMeansTheCurrentTool) {
    static int32_t current = 1;
    app::SetCurrentToolQuery([] { return current; });
    SPRAYSTYLE style;
    style.SpinStep = 0;
    style.Count = 3;
    app::SetSprayStyle(-1, style);
    EXPECT_EQ(app::GetSprayStyle(1).SpinStep, 1);
    EXPECT_EQ(app::GetSprayStyle(1).Count, 3);
    EXPECT_EQ(app::GetSprayStyle(-1).Count, 3);
    current = 2;
    EXPECT_NE(app::GetSprayStyle(-1).Count, 3);
    app::SetCurrentToolQuery(nullptr);
    // A tool that does not exist changes nothing.
    app::SetSprayStyle(5, style);
    EXPECT_EQ(app::GetSprayStyle(5).Count, SPRAYSTYLE().Count);
    EXPECT_STREQ(app::ToolName(2), "Blur");
    EXPECT_EQ(app::ToolName(3), nullptr);
}

}  // namespace
