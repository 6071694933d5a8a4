#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "base/FileException.h"
#include "settings/IniFileBackend.h"
#include "settings/Registry.h"
#include "tests/support/TestFiles.h"

namespace {

using app::Registry;

std::unique_ptr<app::SettingsBackend> Ini(const std::string& path) {
    return std::make_unique<app::IniFileBackend>(path);
}

// Everything a store exchanges, walked in one fixed order for both directions.
struct Values {
    int32_t number = 0;
    bool flag = false;
    uint8_t byte = 0;
    double real = 0;
    std::string text;
    app::Rect32 rect = {};
    app::Vector2 point = {};

    void Exchange(Registry& store) {
        store.SelectSection("Paint\\Spray");
        store.ExchangeInt("Count", number, 20);
        store.ExchangeBool("UseSplit", flag, true);
        store.ExchangeByte("Color0_0", byte, 255);
        store.ExchangeDouble("Brake", real, 0.05);
        store.SelectSection(nullptr);
        store.ExchangeText("Tool", text, "Paint");
        store.SelectSection("Frame");
        store.ExchangeRect("Window", rect, {1, 2, 3, 4});
        store.ExchangePoint("Velocity", point, {0.5, -0.25});
    }
};

Values Load(const std::string& path) {
    Registry store;
    store.Open(Ini(path), true);
    Values values;
    values.Exchange(store);
    store.Close();
    return values;
}

void Save(const std::string& path, Values values) {
    Registry store;
    store.Open(Ini(path), false);
    values.Exchange(store);
    store.Close();
}

TEST(Registry, FirstRunLoadsEveryDefault) {
    test::TempFolder folder;
    const Values values = Load(folder.File("none.ini"));
    EXPECT_EQ(values.number, 20);
    EXPECT_TRUE(values.flag);
    EXPECT_EQ(values.byte, 255);
    EXPECT_EQ(values.real, 0.05);
    EXPECT_EQ(values.text, "Paint");
    EXPECT_EQ(values.rect.bottom, 4);
    EXPECT_EQ(values.point.y, -0.25);
}

TEST(Registry, SavedValuesComeBackWithRealsToSixDigits) {
    test::TempFolder folder;
    Values values;
    values.number = -17;
    values.flag = false;
    values.byte = 7;
    values.real = 3.14159265;
    values.text = std::string(3000, 'x');
    values.rect = {-10, 20, 300, 400};
    values.point = {0.123456789, 1e-7};
    Save(folder.File("s.ini"), values);

    const Values loaded = Load(folder.File("s.ini"));
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

TEST(Registry, TheFileKeepsTheProfileLayout) {
    test::TempFolder folder;
    Values values;
    values.rect = {5, 6, 7, 8};
    Save(folder.File("s.ini"), values);
    const std::string text = test::ReadFileText(folder.File("s.ini"));
    EXPECT_NE(text.find("[App]\r\nRegistryVersion=1\r\nTool="), std::string::npos) << text;
    EXPECT_NE(text.find("[Paint\\Spray]\r\nCount=0\r\nUseSplit=0\r\nColor0_0=0\r\nBrake=0\r\n"), std::string::npos)
        << text;
    EXPECT_NE(text.find("WindowLeft=5\r\nWindowTop=6\r\nWindowRight=7\r\nWindowBottom=8\r\nVelocityX=0\r\n"),
              std::string::npos)
        << text;
}

TEST(Registry, AnotherLayoutVersionYieldsDefaultsAndSavingRewritesVersionOne) {
    test::TempFolder folder;
    const std::string path = folder.File("v2.ini");
    test::WriteFileText(path, "[App]\nRegistryVersion=2\nTool=Blur\n[Paint\\Spray]\nCount=99\n");
    const Values values = Load(path);
    EXPECT_EQ(values.number, 20);
    EXPECT_EQ(values.text, "Paint");
    Save(path, values);
    EXPECT_EQ(Load(path).number, 20);
    EXPECT_NE(test::ReadFileText(path).find("RegistryVersion=1"), std::string::npos);
}

TEST(Registry, MissingVersionCountsAsAnotherLayout) {
    test::TempFolder folder;
    const std::string path = folder.File("old.ini");
    test::WriteFileText(path, "[App]\nTool=Blur\n");
    EXPECT_EQ(Load(path).text, "Paint");
}

TEST(Registry, GarbageValuesReadAsTheProfileFunctionsReadThem) {
    test::TempFolder folder;
    const std::string path = folder.File("g.ini");
    test::WriteFileText(path,
                        "[app]\r\nregistryversion = 1\r\n[PAINT\\SPRAY]\r\nCount=12abc\r\nUseSplit=yes\r\n"
                        "Color0_0=300\r\nBrake=fast\r\n[Frame]\r\nVelocityX=\r\nWindowLeft=-0x5\r\n");
    const Values values = Load(path);
    EXPECT_EQ(values.number, 12);
    EXPECT_FALSE(values.flag);  // "yes" is not a number: 0
    EXPECT_EQ(values.byte, 300 & 0xFF);
    EXPECT_EQ(values.real, 0.0);
    EXPECT_EQ(values.point.x, 0.0);  // present but empty text converts to 0
    EXPECT_EQ(values.rect.left, 0);
    EXPECT_EQ(values.rect.top, 2);  // absent: default
}

TEST(Registry, AFileThatCannotBeWrittenRaisesCodeOneWithThePathAndKeepsTheOldFile) {
    test::TempFolder folder;
    const std::string path = folder.File("missing-folder/s.ini");
    Registry store;
    store.Open(Ini(path), false);
    Values values;
    values.Exchange(store);
    try {
        store.Close();
        FAIL() << "saving into a missing folder must fail";
    } catch (const app::FileException& e) {
        EXPECT_EQ(e.Code(), app::ErrorSystem);
        EXPECT_NE(e.Value(), 0);
        EXPECT_EQ(e.FileName(), path);
    }
}

TEST(Registry, SavingKeepsValuesOfOtherOwners) {
    test::TempFolder folder;
    const std::string path = folder.File("s.ini");
    test::WriteFileText(path, "[Panel\\Catalog]\r\nFile=C:\\a.spr\r\n");
    Save(path, Values());
    EXPECT_NE(test::ReadFileText(path).find("File=C:\\a.spr"), std::string::npos);
}

TEST(Registry, RealsUseTheShortestGeneralForm) {
    EXPECT_EQ(app::FormatReal(0.05), "0.05");
    EXPECT_EQ(app::FormatReal(6.4), "6.4");
    EXPECT_EQ(app::FormatReal(0.123456789), "0.123457");
    EXPECT_EQ(app::ParseReal("2.5e1"), 25.0);
    EXPECT_EQ(app::ParseReal("nonsense"), 0.0);
    EXPECT_TRUE(std::isnan(app::ParseReal(app::FormatReal(std::nan("")))));
}

TEST(Registry, ProfileIntegersTakeTheLeadingNumber) {
    EXPECT_EQ(app::ParseProfileInt("-5"), -5);
    EXPECT_EQ(app::ParseProfileInt(" 42 "), 42);
    EXPECT_EQ(app::ParseProfileInt("7x"), 7);
    EXPECT_EQ(app::ParseProfileInt("x7"), 0);
    EXPECT_EQ(app::ParseProfileInt("+3"), 3);
}

}  // namespace
