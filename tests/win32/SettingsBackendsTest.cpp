#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "base/FileException.h"
#include "base/System.h"
#include "settings/Registry.h"
#include "settings/SettingsBackend.h"
#include "settings/win32/ProfileBackendWin32.h"
#include "settings/win32/RegistryBackendWin32.h"
#include "tests/support/TestFiles.h"

namespace {

using app::Registry;

constexpr const char* kTestRoot = "Software\\TAVRO\\DriftlaceTests";

struct Values {
    int32_t number = 0;
    bool flag = false;
    uint8_t byte = 0;
    double real = 0;
    std::string text;
    app::Rect32 rect = {};

    void Exchange(Registry& store) {
        store.SelectSection("Panel\\General\\Limit");
        store.ExchangeInt("TurnInterval", number, 40);
        store.ExchangeBool("UseSpin", flag, true);
        store.ExchangeByte("Color1_3", byte, 255);
        store.ExchangeDouble("Gravity", real, 5.0);
        store.SelectSection(nullptr);
        store.ExchangeText("File", text, "none");
        store.SelectSection("Frame");
        store.ExchangeRect("Window", rect, {1, 2, 3, 4});
    }
};

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

class SettingsBackends : public testing::TestWithParam<BackendFactory> {
  protected:
    void SetUp() override { RegDeleteTreeA(HKEY_CURRENT_USER, kTestRoot); }
    void TearDown() override { RegDeleteTreeA(HKEY_CURRENT_USER, kTestRoot); }
    test::TempFolder folder_;
    std::string ini_ = folder_.File("Driftlace.ini");
};

TEST_P(SettingsBackends, FirstRunGivesDefaults) {
    const Values values = LoadWith(GetParam(), ini_);
    EXPECT_EQ(values.number, 40);
    EXPECT_TRUE(values.flag);
    EXPECT_EQ(values.byte, 255);
    EXPECT_EQ(values.real, 5.0);
    EXPECT_EQ(values.text, "none");
    EXPECT_EQ(values.rect.right, 3);
}

TEST_P(SettingsBackends, ValuesRoundTrip) {
    Values values;
    values.number = -5;
    values.flag = false;
    values.byte = 9;
    values.real = 3.14159265;
    values.text = std::string(3000, 'q');
    values.rect = {-8, 0, 640, 480};
    SaveWith(GetParam(), ini_, values);
    const Values loaded = LoadWith(GetParam(), ini_);
    EXPECT_EQ(loaded.number, -5);
    EXPECT_FALSE(loaded.flag);
    EXPECT_EQ(loaded.byte, 9);
    EXPECT_EQ(loaded.real, 3.14159);
    EXPECT_EQ(loaded.text, values.text);
    EXPECT_EQ(loaded.rect.left, -8);
    EXPECT_EQ(loaded.rect.bottom, 480);
}

TEST_P(SettingsBackends, AnotherVersionYieldsDefaults) {
    Values values;
    values.number = 77;
    SaveWith(GetParam(), ini_, values);
    {
        Registry store;
        store.Open(GetParam()(false, ini_), false);
        store.SelectSection(nullptr);
        int32_t version = 2;
        store.ExchangeInt("RegistryVersion", version, 0);
        store.Close();
    }
    EXPECT_EQ(LoadWith(GetParam(), ini_).number, 40);
}

INSTANTIATE_TEST_SUITE_P(Win32, SettingsBackends, testing::Values(&RegistryBackend, &ProfileBackend));

TEST(ProfileBackend, KeepsTheIniLayout) {
    test::TempFolder folder;
    const std::string ini = folder.File("X.ini");
    SaveWith(&ProfileBackend, ini, Values());
    char text[64];
    GetPrivateProfileStringA("App", "RegistryVersion", "", text, sizeof text, ini.c_str());
    EXPECT_STREQ(text, "1");
    GetPrivateProfileStringA("Frame", "WindowBottom", "", text, sizeof text, ini.c_str());
    EXPECT_STREQ(text, "0");
    GetPrivateProfileStringA("Panel\\General\\Limit", "Gravity", "", text, sizeof text, ini.c_str());
    EXPECT_STREQ(text, "0");
}

TEST(ProfileBackend, StoredGarbageReadsAsTheProfileFunctionsReadIt) {
    test::TempFolder folder;
    const std::string ini = folder.File("X.ini");
    test::WriteFileText(ini,
                        "[App]\r\nRegistryVersion=1\r\n[Panel\\General\\Limit]\r\nTurnInterval=-5\r\n"
                        "Gravity=abc\r\n");
    const Values values = LoadWith(&ProfileBackend, ini);
    EXPECT_EQ(values.number, -5);
    EXPECT_EQ(values.real, 0.0);
}

TEST(ProfileBackend, AFileThatCannotBeWrittenRaisesCodeOneWithThePath) {
    test::TempFolder folder;
    const std::string ini = folder.File("no-such-folder\\X.ini");
    try {
        SaveWith(&ProfileBackend, ini, Values());
        FAIL() << "writing into a missing folder must fail";
    } catch (const app::FileException& e) {
        EXPECT_EQ(e.Code(), app::ErrorSystem);
        EXPECT_EQ(e.FileName(), ini);
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
        40);  // nothing in the registry yet
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

}  // namespace
