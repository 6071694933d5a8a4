#include <gtest/gtest.h>

#include <string>

#include "host/Options.h"
#include "settings/IniFileBackend.h"
#include "settings/Registry.h"
#include "settings/RunSettings.h"
#include "tests/support/TestFiles.h"

namespace {

class Options : public testing::Test {
  protected:
    void SetUp() override { app::SetOptions(app::kDefaultOptions); }
    void TearDown() override { app::SetOptions(app::kDefaultOptions); }

    void Exchange(const std::string& path, bool loading) {
        app::Registry store;
        store.Open(std::make_unique<app::IniFileBackend>(path), loading);
        app::ExchangeOptions(store);
        store.Close();
    }

    // A store with a valid version and the given root-section lines.
    std::string WriteStore(const std::string& lines) {
        const std::string path = folder_.File("options.ini");
        test::WriteFileText(path, "[App]\nRegistryVersion=1\n" + lines);
        return path;
    }

    test::TempFolder folder_;
};

TEST_F(Options, GetOptionsReturnsAndFillsTheCopy) {
    app::SetOptions({7, 3, 2, 9});
    app::OPTIONS copy = {};
    const app::OPTIONS result = app::GetOptions(&copy);
    EXPECT_EQ(result.turnInterval, 7);
    EXPECT_EQ(copy.displayingInterval, 3);
    EXPECT_EQ(copy.viewMat, 2);
    EXPECT_EQ(copy.historyMax, 9);
}

TEST_F(Options, AbsentKeysLoadTheDefaults) {
    app::SetOptions({5, 5, 2, 5});
    Exchange(WriteStore(""), true);
    const app::OPTIONS loaded = app::GetOptions();
    EXPECT_EQ(loaded.turnInterval, 40);
    EXPECT_EQ(loaded.displayingInterval, 1);
    EXPECT_EQ(loaded.viewMat, 0);
    EXPECT_EQ(loaded.historyMax, 100);
}

TEST_F(Options, LoadedValuesBelowTheirLimitsAreClamped) {
    Exchange(WriteStore("TurnInterval=0\nDisplayingInterval=-5\nViewMat=1\nHistoryMax=-2\n"), true);
    const app::OPTIONS loaded = app::GetOptions();
    EXPECT_EQ(loaded.turnInterval, 1);
    EXPECT_EQ(loaded.displayingInterval, 1);
    EXPECT_EQ(loaded.viewMat, 1);
    EXPECT_EQ(loaded.historyMax, 0);
}

TEST_F(Options, SavedValuesAreWrittenAsTheyAreAndLoadBack) {
    const std::string path = folder_.File("saved.ini");
    app::SetOptions({0, 12, 2, 0});
    Exchange(path, false);
    const std::string text = test::ReadFileText(path);
    EXPECT_NE(text.find("TurnInterval=0"), std::string::npos);
    EXPECT_NE(text.find("DisplayingInterval=12"), std::string::npos);
    EXPECT_NE(text.find("HistoryMax=0"), std::string::npos);

    app::SetOptions(app::kDefaultOptions);
    Exchange(path, true);
    const app::OPTIONS loaded = app::GetOptions();
    EXPECT_EQ(loaded.turnInterval, 1);  // clamped only on the way in
    EXPECT_EQ(loaded.displayingInterval, 12);
    EXPECT_EQ(loaded.viewMat, 2);
    EXPECT_EQ(loaded.historyMax, 0);
}

}  // namespace
