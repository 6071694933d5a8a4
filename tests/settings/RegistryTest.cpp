#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "base/FileException.h"
#include "settings/IniFileBackend.h"
#include "settings/Registry.h"
#include "tests/settings/BackendContract.h"
#include "tests/support/TestFiles.h"

namespace {

using app::Registry;

std::unique_ptr<app::SettingsBackend> Ini(const std::string& path) {
    return std::make_unique<app::IniFileBackend>(path);
}

using contract::Values;

void Save(const std::string& path, Values values) {
    Registry store;
    store.Open(Ini(path), false);
    values.Exchange(store);
    store.Close();
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

TEST(Registry, RealsUseTheShortestGeneralForm) {
    EXPECT_EQ(app::FormatReal(0.05), "0.05");
    EXPECT_EQ(app::FormatReal(6.4), "6.4");
    EXPECT_EQ(app::FormatReal(0.123456789), "0.123457");
    EXPECT_EQ(app::ParseReal("2.5e1"), 25.0);
    EXPECT_EQ(app::ParseReal("nonsense"), 0.0);
    EXPECT_EQ(app::ParseReal(app::FormatReal(std::nan(""))), 0.0);  // "nan" is not a decimal number
}

TEST(Registry, ProfileIntegersTakeTheLeadingNumber) {
    EXPECT_EQ(app::ParseProfileInt("-5"), -5);
    EXPECT_EQ(app::ParseProfileInt(" 42 "), 42);
    EXPECT_EQ(app::ParseProfileInt("7x"), 7);
    EXPECT_EQ(app::ParseProfileInt("x7"), 0);
    EXPECT_EQ(app::ParseProfileInt("+3"), 3);
}

}  // namespace
