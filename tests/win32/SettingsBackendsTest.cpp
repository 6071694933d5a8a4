#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "base/FileException.h"
#include "base/System.h"
#include "settings/Registry.h"
#include "settings/SettingsBackend.h"
#include "settings/SettingsPaths.h"
#include "settings/win32/ProfileBackendWin32.h"
#include "settings/win32/RegistryBackendWin32.h"
#include "tests/settings/BackendContract.h"
#include "tests/support/TestFiles.h"
#include "tests/win32/Cp932.h"

namespace {

using app::Registry;

constexpr const char* kTestRoot = "Software\\TAVRO\\DriftlaceTests";

using contract::Values;
using BackendFactory = std::unique_ptr<app::SettingsBackend> (*)(bool loading, const std::string& iniPath);

Values LoadWith(BackendFactory factory, const std::string& ini) {
    Registry store;
    store.Open(factory(true, ini), true);
    Values values;
    values.Exchange(store);
    store.Close();
    return values;
}

void SaveWith(BackendFactory factory, const std::string& ini, Values values) {
    Registry store;
    store.Open(factory(false, ini), false);
    values.Exchange(store);
    store.Close();
}

std::unique_ptr<app::SettingsBackend> RegistryBackend(bool loading, const std::string&) {
    return std::make_unique<app::RegistryBackendWin32>(kTestRoot, loading);
}

std::unique_ptr<app::SettingsBackend> ProfileBackend(bool, const std::string& ini) {
    return std::make_unique<app::ProfileBackendWin32>(ini);
}

void DeleteTestKey() {
    RegDeleteTreeA(HKEY_CURRENT_USER, kTestRoot);
}

}  // namespace

namespace contract {

INSTANTIATE_TEST_SUITE_P(Win32,
                         SettingsBackendContract,
                         testing::Values(BACKENDKIND{"Profile", ProfileBackend, true},
                                         BACKENDKIND{"Registry", RegistryBackend, false, DeleteTestKey}),
                         KindName);

}  // namespace contract

namespace {

TEST(ProfileBackend, KeepsTheIniLayout) {
    test::TempFolder folder;
    const std::string ini = folder.File("X.ini");
    SaveWith(&ProfileBackend, ini, Values());
    char text[64];
    GetPrivateProfileStringA("App", "RegistryVersion", "", text, sizeof text, ini.c_str());
    EXPECT_STREQ(text, "1");
    GetPrivateProfileStringA("Frame", "WindowBottom", "", text, sizeof text, ini.c_str());
    EXPECT_STREQ(text, "0");
    GetPrivateProfileStringA("Paint\\Spray", "Brake", "", text, sizeof text, ini.c_str());
    EXPECT_STREQ(text, "0");
}

// The integer rule of both INI back ends is the profile functions' own (GetPrivateProfileIntA
// under this Wine), save that beyond 32 bits it stays at the nearest 32-bit value where they
// wrap round (4294967306 would read as 10).
TEST(ProfileBackend, IntegersReadAsTheProfileFunctionsReadThemSaveForWrapping) {
    test::TempFolder folder;
    const std::string ini = folder.File("i.ini");
    const struct {
        const char* text;
        bool wraps;
    } rows[] = {{"42", false},         {"  -7  ", false},      {"+42", false},       {"12abc", false},
                {"- 42", false},       {"--5", false},         {"0x10", false},      {"-0x5", false},
                {"0X1f", false},       {"0b101", false},       {"0o17", false},      {"0x1p-1", false},
                {"\"12\"", false},     {"'7'", false},         {"inf", false},       {"1e-320", false},
                {"2147483647", false}, {"-2147483648", false}, {"4294967306", true}, {"-4294967306", true},
                {"2147483648", true},  {"0x1ffffffff", true}};
    for (const auto& row : rows) {
        test::WriteFileText(ini, std::string("[S]\r\nK=") + row.text + "\r\n");
        const auto profile = static_cast<int32_t>(GetPrivateProfileIntA("S", "K", 777, ini.c_str()));
        app::ProfileBackendWin32 backend(ini);
        backend.SelectSection("S");
        const int32_t ours = backend.ReadInt("K", 777);
        EXPECT_EQ(profile != ours, row.wraps) << row.text << ": " << profile << " and " << ours;
    }
}

TEST(DefaultBackend, TheMarkerBesideTheLibraryChoosesTheRegistry) {
    test::TempFolder folder;
    CreateDirectoryA(folder.File("preset").c_str(), nullptr);
    app::SetModuleFilePath(folder.File("X.dll"));
    RegDeleteTreeA(HKEY_CURRENT_USER, kTestRoot);

    Values values;
    values.number = 123;
    SaveWith([](bool loading, const std::string&) { return app::OpenDefaultSettingsBackend(kTestRoot, loading); }, "",
             values);
    EXPECT_TRUE(app::FileExists(folder.File("X.ini")));

    test::WriteFileText(folder.File("preset\\useregistry"), "Yes");
    EXPECT_EQ(
        LoadWith([](bool loading, const std::string&) { return app::OpenDefaultSettingsBackend(kTestRoot, loading); },
                 "")
            .number,
        20);  // nothing in the registry yet
    HKEY key = nullptr;
    EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kTestRoot, 0, KEY_READ, &key), ERROR_SUCCESS);
    if (key)
        RegCloseKey(key);

    test::WriteFileText(folder.File("preset\\useregistry"), "no");
    EXPECT_EQ(
        LoadWith([](bool loading, const std::string&) { return app::OpenDefaultSettingsBackend(kTestRoot, loading); },
                 "")
            .number,
        123);  // back to the INI file
    app::SetModuleFilePath("");
    RegDeleteTreeA(HKEY_CURRENT_USER, kTestRoot);
}

// Japanese program names often hold a character whose second byte is a backslash: the settings
// still go beside the program, named after the library.
TEST(SettingsPaths, AHostNameWithABackslashSecondByteKeepsTheSettingsInItsFolder) {
    ASSERT_EQ(GetACP(), 932u) << "run under the Japanese code page";
    const std::string folder = "C:\\" + test::Cp932("ソフト") + "\\";
    for (const char* name : {"表示.exe", "お絵かきソフト.exe"}) {
        EXPECT_EQ(app::SettingsFilePath("D:\\P\\Driftlace.dll", (folder + test::Cp932(name)).c_str()),
                  folder + "Driftlace.ini")
            << name;
    }
}

}  // namespace
