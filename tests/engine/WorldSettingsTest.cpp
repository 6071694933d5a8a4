#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "engine/WORLD_SETTINGS.h"
#include "settings/IniFileBackend.h"
#include "settings/Registry.h"
#include "settings/RunSettings.h"
#include "tests/engine/EngineTestSupport.h"
#include "tests/support/TestFiles.h"

namespace {

using app::WORLD_SETTINGS;

void Exchange(const std::string& path, bool loading) {
    app::Registry store;
    store.Open(std::make_unique<app::IniFileBackend>(path), loading);
    app::ExchangeWorldSettings(store);
    store.Close();
}

WORLD_SETTINGS Load(const std::string& values) {
    test::TempFolder folder;
    const std::string path = folder.File("w.ini");
    test::WriteFileText(path, "[App]\r\nRegistryVersion=1\r\n" + values);
    Exchange(path, true);
    return app::GetWorldSettings();
}

TEST(WorldSettings, DefaultsPullStraightDown) {
    enginetest::KeepGlobals keep;
    const WORLD_SETTINGS world = Load("");
    EXPECT_EQ(world.GravityType, 0);
    EXPECT_EQ(world.GravityX, 0.0);
    EXPECT_EQ(world.GravityY, 0.5);
    EXPECT_EQ(world.Lively, 0.5);
    EXPECT_EQ(world.engineGravityY, 0.03125);
    const app::Vector2 g = app::WorldGravity(world, 3.5, 7.25, 20, 20);
    EXPECT_EQ(g.x, 0.0);
    EXPECT_EQ(g.y, 0.03125);
}

TEST(WorldSettings, LoadingClampsTypeAndLivelyButNotGravity) {
    enginetest::KeepGlobals keep;
    WORLD_SETTINGS world = Load("GravityType=2\r\nLively=1.5\r\nGravityX=-40\r\nGravityY=99\r\n");
    EXPECT_EQ(world.GravityType, 0);
    EXPECT_EQ(world.Lively, 1.0);
    EXPECT_EQ(world.GravityX, -40.0);
    EXPECT_EQ(world.engineGravityX, -2.5);
    EXPECT_EQ(world.engineGravityY, 99.0 / 16);
    EXPECT_EQ(Load("Lively=-0.2\r\n").Lively, 0.0);
    EXPECT_EQ(Load("Lively=nan\r\n").Lively, 0.0);
    EXPECT_EQ(Load("GravityType=1\r\n").GravityType, 1);
}

TEST(WorldSettings, SetRecomputesEngineGravityAndSavingDoesNotValidate) {
    enginetest::KeepGlobals keep;
    WORLD_SETTINGS world;
    world.GravityX = 8;
    world.GravityY = -4;
    world.engineGravityX = 123;  // recomputed by Set
    world.Lively = 3;
    world.GravityType = 5;
    app::SetWorldSettings(world);
    EXPECT_EQ(app::GetWorldSettings().engineGravityX, 0.5);
    EXPECT_EQ(app::GetWorldSettings().engineGravityY, -0.25);
    test::TempFolder folder;
    const std::string path = folder.File("w.ini");
    Exchange(path, false);
    const std::string text = test::ReadFileText(path);
    EXPECT_NE(text.find("GravityType=5\r\nGravityX=8\r\nGravityY=-4\r\nLively=3\r\n"), std::string::npos) << text;
}

// Neither a stored text nor a record handed to Set puts a value that is not finite into the
// engine's world; Set keeps finite values as they are, out of range or not.
TEST(WorldSettings, NoValueThatIsNotFiniteReachesTheWorld) {
    enginetest::KeepGlobals keep;
    const WORLD_SETTINGS loaded = Load("GravityX=inf\r\nGravityY=nan\r\nLively=1e999\r\n");
    EXPECT_EQ(loaded.GravityX, 0.0);
    EXPECT_EQ(loaded.GravityY, 0.0);
    EXPECT_EQ(loaded.Lively, 1.0);
    WORLD_SETTINGS world;
    world.GravityX = HUGE_VAL;
    world.GravityY = std::nan("");
    world.Lively = -HUGE_VAL;
    app::SetWorldSettings(world);
    const WORLD_SETTINGS& set = app::WorldSettings();
    EXPECT_EQ(set.GravityX, 0.0);
    EXPECT_EQ(set.GravityY, 0.0);
    EXPECT_EQ(set.Lively, 0.0);
    EXPECT_EQ(set.engineGravityX, 0.0);
    world.Lively = 1.5;
    app::SetWorldSettings(world);
    EXPECT_EQ(app::WorldSettings().Lively, 1.5);
}

TEST(WorldSettings, RadialGravityHasOneStrengthAroundTheCentre) {
    WORLD_SETTINGS world;
    world.GravityType = app::GravityRadial;
    world.GravityY = 1;
    world.engineGravityY = 0.0625;
    // Grid 21 x 15: centre (10, 7).
    app::Vector2 g = app::WorldGravity(world, 15, 7, 21, 15);
    EXPECT_EQ(g.x, -0.0625);
    EXPECT_EQ(g.y, 0.0);
    g = app::WorldGravity(world, 10, 7, 21, 15);
    EXPECT_EQ(g.x, 0.0);
    EXPECT_EQ(g.y, 0.0);
    g = app::WorldGravity(world, 13, 11, 21, 15);
    EXPECT_NEAR(std::hypot(g.x, g.y), 0.0625, 1e-15);
    // GravityX drives particles around the centre: clockwise on the screen for positive values.
    world.engineGravityX = 0.0625;
    world.engineGravityY = 0;
    g = app::WorldGravity(world, 15, 7, 21, 15);
    EXPECT_EQ(g.x, 0.0);
    EXPECT_EQ(g.y, 0.0625);
}

}  // namespace
