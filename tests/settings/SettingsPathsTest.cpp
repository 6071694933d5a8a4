#include <gtest/gtest.h>

#include "base/LeadByte.h"
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

// Code page 932 names whose second byte is a backslash ("表" 0x95 0x5C, "ソ" 0x83 0x5C, "能"
// 0x94 0x5C) stay whole: only a separator that starts a character cuts the path.
TEST(SettingsPaths, DoubleByteCharactersEndingInABackslashAreNotSeparators) {
    struct {
        const char* path;
        const char* folder;
    } const rows[] = {
        {"C:\\Tools\\\x95\x5C\x8E\xA6.exe", "C:\\Tools\\"},
        {"C:\\\x82\xA8\x8A\x47\x82\xA9\x82\xAB\x83\x5C\x83\x74\x83\x67.exe", "C:\\"},
        {"C:\\\x83\x5C\\\x94\x5C.exe", "C:\\\x83\x5C\\"},
        {"\x95\x5C", ""},
        {"a\\\x95", "a\\"},  // a lead byte at the end: nothing after it to swallow
    };
    for (const auto& row : rows)
        EXPECT_EQ(app::DirectoryOf(row.path, app::IsLeadByte), row.folder) << row.path;
}

}  // namespace
