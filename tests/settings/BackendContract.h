#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "settings/Registry.h"
#include "settings/SettingsBackend.h"
#include "tests/support/TestFiles.h"

namespace contract {

// A back end under the settings store's contract: how to open it, and whether it keeps its
// values in the INI file at `ini` (file-level cases are skipped for the registry).
struct BACKENDKIND {
    const char* name;
    std::unique_ptr<app::SettingsBackend> (*open)(bool loading, const std::string& ini);
    bool usesFile;
    void (*reset)() = nullptr;  // empties a store that outlives the test (the registry)
};

// Everything a store exchanges, walked in one fixed order for both directions.
struct Values {
    int32_t number = 0;
    bool flag = false;
    uint8_t byte = 0;
    double real = 0;
    std::string text;
    app::Rect32 rect = {};
    app::Vector2 point = {};

    void Exchange(app::Registry& store) {
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

// Every back end must pass the suite in BackendContract.cpp; each test program instantiates it
// for the back ends it has (INSTANTIATE_TEST_SUITE_P(..., SettingsBackendContract, ...)).
class SettingsBackendContract : public testing::TestWithParam<BACKENDKIND> {
  protected:
    void SetUp() override;
    void TearDown() override;
    Values Load();
    void Save(Values values);
    // Writes the INI file by hand (the tests that do skip back ends without one).
    void WriteIni(const std::string& text);

    test::TempFolder folder_;
    std::string ini_ = folder_.File("Driftlace.ini");
};

std::string KindName(const testing::TestParamInfo<BACKENDKIND>& info);

}  // namespace contract
