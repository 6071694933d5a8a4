#include "tests/settings/BackendContract.h"

#include "base/Failure.h"
#include "base/FileException.h"
#include "settings/IniFileBackend.h"

namespace contract {

void SettingsBackendContract::SetUp() {
    if (GetParam().reset)
        GetParam().reset();
}

void SettingsBackendContract::TearDown() {
    if (GetParam().reset)
        GetParam().reset();
}

Values SettingsBackendContract::Load() {
    app::Registry store;
    store.Open(GetParam().open(true, ini_), true);
    Values values;
    values.Exchange(store);
    store.Close();
    return values;
}

void SettingsBackendContract::Save(Values values) {
    app::Registry store;
    store.Open(GetParam().open(false, ini_), false);
    values.Exchange(store);
    store.Close();
}

void SettingsBackendContract::WriteIni(const std::string& text) {
    test::WriteFileText(ini_, text);
}

std::string KindName(const testing::TestParamInfo<BACKENDKIND>& info) {
    return info.param.name;
}

TEST_P(SettingsBackendContract, FirstRunLoadsEveryDefault) {
    const Values values = Load();
    EXPECT_EQ(values.number, 20);
    EXPECT_TRUE(values.flag);
    EXPECT_EQ(values.byte, 255);
    EXPECT_EQ(values.real, 0.05);
    EXPECT_EQ(values.text, "Paint");
    EXPECT_EQ(values.rect.bottom, 4);
    EXPECT_EQ(values.point.y, -0.25);
}

TEST_P(SettingsBackendContract, SavedValuesComeBackWithRealsToSixDigits) {
    Values values;
    values.number = -17;
    values.flag = false;
    values.byte = 7;
    values.real = 3.14159265;
    values.text = std::string(3000, 'x');
    values.rect = {-10, 20, 300, 400};
    values.point = {0.123456789, 1e-7};
    Save(values);
    const Values loaded = Load();
    EXPECT_EQ(loaded.number, -17);
    EXPECT_FALSE(loaded.flag);
    EXPECT_EQ(loaded.byte, 7);
    EXPECT_EQ(loaded.real, 3.14159);
    EXPECT_EQ(loaded.text, values.text);
    EXPECT_EQ(loaded.rect.left, -10);
    EXPECT_EQ(loaded.rect.bottom, 400);
    EXPECT_EQ(loaded.point.x, 0.123457);
    EXPECT_EQ(loaded.point.y, 1e-7);
}

TEST_P(SettingsBackendContract, AnotherLayoutVersionYieldsDefaultsAndSavingRewritesVersionOne) {
    Values values;
    values.number = 77;
    Save(values);
    {
        app::Registry store;
        store.Open(GetParam().open(false, ini_), false);
        store.SelectSection(nullptr);
        int32_t version = 2;
        store.ExchangeInt("RegistryVersion", version, 0);
        store.Close();
    }
    EXPECT_EQ(Load().number, 20);
    Save(values);
    EXPECT_EQ(Load().number, 77);
}

TEST_P(SettingsBackendContract, MissingVersionCountsAsAnotherLayout) {
    if (!GetParam().usesFile)
        GTEST_SKIP() << "no file";
    WriteIni("[App]\r\nTool=Blur\r\n");
    EXPECT_EQ(Load().text, "Paint");
}

TEST_P(SettingsBackendContract, GarbageValuesReadAsTheProfileFunctionsReadThem) {
    if (!GetParam().usesFile)
        GTEST_SKIP() << "no file";
    WriteIni(
        "[app]\r\nregistryversion = 1\r\n[PAINT\\SPRAY]\r\nCount=12abc\r\nUseSplit=yes\r\n"
        "Color0_0=300\r\nBrake=fast\r\n[Frame]\r\nVelocityX=\r\nWindowLeft=-x5\r\n");
    const Values values = Load();
    EXPECT_EQ(values.number, 12);
    EXPECT_FALSE(values.flag);  // "yes" is not a number: 0
    EXPECT_EQ(values.byte, 300 & 0xFF);
    EXPECT_EQ(values.real, 0.0);
    EXPECT_EQ(values.point.x, 0.0);  // present but empty text converts to 0
    EXPECT_EQ(values.rect.left, 0);
    EXPECT_EQ(values.rect.top, 2);  // absent: default
}

TEST_P(SettingsBackendContract, SavingKeepsValuesOfOtherOwners) {
    if (!GetParam().usesFile)
        GTEST_SKIP() << "no file";
    WriteIni("[Panel\\Catalog]\r\nFile=C:\\a.spr\r\n");
    Save(Values());
    EXPECT_NE(test::ReadFileText(ini_).find("File=C:\\a.spr"), std::string::npos);
}

TEST_P(SettingsBackendContract, AFileThatCannotBeWrittenRaisesCodeOneWithItsPath) {
    if (!GetParam().usesFile)
        GTEST_SKIP() << "no file";
    ini_ = folder_.File("missing-folder/Driftlace.ini");
    try {
        Save(Values());
        FAIL() << "saving into a missing folder must fail";
    } catch (const app::FileException& e) {
        EXPECT_EQ(e.Code(), app::ErrorSystem);
        EXPECT_NE(e.Value(), 0);
        EXPECT_EQ(e.FileName(), ini_);
        // What the user reads names the file.
        EXPECT_EQ(app::FailureText(std::current_exception()).find(ini_), 0u);
    }
}

namespace {

std::unique_ptr<app::SettingsBackend> OpenIni(bool, const std::string& ini) {
    return std::make_unique<app::IniFileBackend>(ini);
}

}  // namespace

// The portable INI back end runs everywhere; the Windows test program adds its own back ends.
INSTANTIATE_TEST_SUITE_P(Portable,
                         SettingsBackendContract,
                         testing::Values(BACKENDKIND{"Ini", OpenIni, true}),
                         KindName);

}  // namespace contract
