#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "base/String.h"
#include "host/HostInterface.h"
#include "host/win32/LibraryExport.h"
#include "tests/support/FakeHost.h"
#include "tests/win32/Cp932.h"

namespace {

using FilterGetTitleFunction = int32_t (*)(int32_t, char*, int32_t*, int32_t*);
using FilterProcFunction =
    int32_t (*)(HWND, const HostImageInfo*, const HostRowAccess*, const HostRowAccess*, const char*);

class PluginDll : public testing::Test {
  protected:
    void SetUp() override {
        library_ = LoadLibraryA(DRIFTLACE_DLL_PATH);
        ASSERT_NE(library_, nullptr) << DRIFTLACE_DLL_PATH;
        getTitle_ = app::LibraryExport<FilterGetTitleFunction>(library_, "FilterGetTitle");
        filterProc_ = app::LibraryExport<FilterProcFunction>(library_, "FilterProc");
        ASSERT_NE(getTitle_, nullptr);
        ASSERT_NE(filterProc_, nullptr);
    }
    void TearDown() override {
        if (library_)
            FreeLibrary(library_);
    }
    HMODULE library_ = nullptr;
    FilterGetTitleFunction getTitle_ = nullptr;
    FilterProcFunction filterProc_ = nullptr;
};

TEST_F(PluginDll, BothNamesOfEachExportAreOneFunction) {
    EXPECT_EQ(GetProcAddress(library_, "FilterGetTitle"), GetProcAddress(library_, "_FilterGetTitle"));
    EXPECT_EQ(GetProcAddress(library_, "FilterProc"), GetProcAddress(library_, "_FilterProc"));
}

TEST_F(PluginDll, TheTitleComesFromTheLibrarysStringTable) {
    char title[64];
    std::memset(title, 'x', sizeof title);
    int32_t first = -1, second = -1;
    EXPECT_EQ(getTitle_(987654, title, &first, &second), 1);
    EXPECT_STREQ(title, "Driftlace");
    EXPECT_EQ(first, 0);
    EXPECT_EQ(second, 10);
}

TEST_F(PluginDll, RefusedImagesReturnZeroWithoutARowCall) {
    test::FakeHost host(2, 2);
    HostImageInfo deep = host.info;
    deep.bitsPerPixel = 32;
    EXPECT_EQ(filterProc_(nullptr, &deep, &host.write, &host.read, ""), 0);
    EXPECT_EQ(filterProc_(nullptr, nullptr, &host.write, &host.read, ""), 0);
    EXPECT_EQ(filterProc_(nullptr, &host.info, nullptr, &host.read, ""), 0);
    EXPECT_EQ(filterProc_(nullptr, &host.info, &host.write, nullptr, ""), 0);
    EXPECT_TRUE(test::FakeHost::Calls().empty());
}

TEST(ResourceStrings, MessagesComeBackInTheJapaneseCodePage) {
    EXPECT_EQ(GetACP(), 932u) << "run the Windows tests with LANG=ja_JP.UTF-8";
    EXPECT_STREQ(app::String::Load(60000).CStr(), "Driftlace");
    EXPECT_EQ(app::String::Load(60113).ToStdString(), test::Cp932("画像の大きさが異常です。"));
    EXPECT_EQ(app::String::Load(33150).TipText().ToStdString(), test::Cp932("元に戻す"));
    EXPECT_STREQ(app::String::Load(60003).CStr(), "help\\index.html");
}

}  // namespace
