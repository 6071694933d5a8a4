#include <gtest/gtest.h>

#include "base/System.h"
#include "settings/SettingsPaths.h"

namespace {

TEST(SettingsPaths, TheHostPathsFolderReplacesTheLibrarysFolder) {
    EXPECT_EQ(app::SettingsFilePath("D:\\Plugins\\X.dll", "C:\\Tools\\Host\\host.cfg"), "C:\\Tools\\Host\\X.ini");
    EXPECT_EQ(app::SettingsFilePath("D:\\Plugins\\X.dll", ""), "D:\\Plugins\\X.ini");
    EXPECT_EQ(app::SettingsFilePath("D:\\Plugins\\X.dll", nullptr), "D:\\Plugins\\X.ini");
    EXPECT_EQ(app::SettingsFilePath("/opt/driftlace/Driftlace.so", "/home/u/host.cfg"), "/home/u/Driftlace.ini");
}

TEST(SettingsPaths, TheMarkerIsAlwaysBesideTheLibrary) {
    const std::string sep(1, app::kPathSeparator);
    EXPECT_EQ(app::RegistryMarkerPath("D:\\Plugins\\X.dll"), "D:\\Plugins\\preset" + sep + "useregistry");
}

TEST(SettingsPaths, OnlyAMarkerBeginningWithYSelectsTheRegistry) {
    EXPECT_TRUE(app::MarkerSelectsRegistry("yes"));
    EXPECT_TRUE(app::MarkerSelectsRegistry("Y"));
    EXPECT_FALSE(app::MarkerSelectsRegistry("no"));
    EXPECT_FALSE(app::MarkerSelectsRegistry(""));
    EXPECT_FALSE(app::MarkerSelectsRegistry(" y"));
}

TEST(SettingsPaths, StemsAndFolders) {
    EXPECT_EQ(app::DirectoryOf("C:\\a\\b.c.dll"), "C:\\a\\");
    EXPECT_EQ(app::FileStemOf("C:\\a\\b.c.dll"), "b.c");
    EXPECT_EQ(app::DirectoryOf("host.cfg"), "");
    EXPECT_EQ(app::FileStemOf("plain"), "plain");
}

}  // namespace
