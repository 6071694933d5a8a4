// The settings file is the user's (and other programs' too): a file that cannot be read is
// refused instead of taken for empty, and a save that fails leaves it exactly as it was.
#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <string>

#include "base/Failure.h"
#include "base/FileException.h"
#include "base/System.h"
#include "settings/IniFileBackend.h"
#include "settings/Registry.h"
#include "tests/settings/BackendContract.h"
#include "tests/support/FileSizeLimit.h"
#include "tests/support/TestFiles.h"

namespace {

using contract::Values;

// What opening the file raises: code 0 for nothing.
struct UNREADABLE {
    const char* what;
    void (*make)(const std::string& path);
    int32_t code;
};

const UNREADABLE kUnreadable[] = {
    {"missing", [](const std::string&) {}, 0},
    {"a folder in its place", [](const std::string& path) { std::filesystem::create_directory(path); },
     app::ErrorSystem},
    {"beyond 64 MB",
     [](const std::string& path) {
         test::WriteFileText(path, "[App]\r\nRegistryVersion=1\r\n");
         std::filesystem::resize_file(path, app::IniFileBackend::kMostBytes + 1);
     },
     app::ErrorFileTooLarge},
};

TEST(SettingsFileSafety, AFileThatIsThereButCannotBeReadIsRefusedWithItsName) {
    for (const UNREADABLE& row : kUnreadable) {
        test::TempFolder folder;
        const std::string ini = folder.File("Driftlace.ini");
        row.make(ini);
        try {
            app::IniFileBackend backend(ini);
            EXPECT_EQ(row.code, 0) << row.what << ": read as empty";
        } catch (const app::FileException& e) {
            EXPECT_EQ(e.Code(), row.code) << row.what;
            EXPECT_EQ(e.FileName(), ini) << row.what;
            EXPECT_NE(app::FailureText(std::current_exception()).find(ini), std::string::npos) << row.what;
        }
    }
}

// The filter run's start: the failure comes back for the report, and every value its default.
TEST(SettingsFileSafety, AStartWithUnreadableSettingsLoadsDefaultsAndHandsBackTheFailure) {
    test::TempFolder folder;
    const std::string previous = app::ModuleFilePath();
    app::SetModuleFilePath(folder.File("Driftlace.dll"));
    std::filesystem::create_directory(folder.File("Driftlace.ini"));
    app::Registry store;
    const std::exception_ptr failure = store.OpenForLoading(app::kRegistryRoot);
    Values values;
    values.Exchange(store);
    store.Close();
    app::SetModuleFilePath(previous);
    ASSERT_NE(failure, nullptr);
    EXPECT_NE(app::FailureText(failure).find(folder.File("Driftlace.ini")), std::string::npos);
    EXPECT_EQ(values.number, 20);
    EXPECT_EQ(values.text, "Paint");
}

#ifndef _WIN32
// A disk that fills while the settings are written: the old file stays whole, other programs'
// sections included, and the failure names the user's file, not the temporary one.
TEST(SettingsFileSafety, ADiskThatFillsDuringTheSaveLeavesTheFileWhole) {
    test::TempFolder folder;
    const std::string ini = folder.File("Driftlace.ini");
    std::string before = "[App]\r\nRegistryVersion=1\r\nTool=Blur\r\n[Paint\\Spray]\r\nCount=77\r\n[Other]\r\n";
    for (int i = 0; i < 142; ++i)
        before += "Key" + std::to_string(i) + "=previous value " + std::to_string(i) + "\r\n";
    test::WriteFileText(ini, before);
    Values values;
    values.text = std::string(300, 'x');
    {
        test::FileSizeLimit limit(before.size());
        ASSERT_TRUE(limit.Active());
        app::Registry store;
        store.Open(std::make_unique<app::IniFileBackend>(ini), false);
        values.Exchange(store);
        try {
            store.Close();
            ADD_FAILURE() << "the save went through the limit";
        } catch (const app::FileException& e) {
            EXPECT_EQ(e.Code(), app::ErrorSystem);
            EXPECT_EQ(e.Value(), EFBIG);
            EXPECT_EQ(e.FileName(), ini);
        }
    }
    EXPECT_EQ(test::ReadFileText(ini), before);
    EXPECT_EQ(test::FileNamesIn(folder.Path()), std::vector<std::string>{"Driftlace.ini"});
}
#endif

}  // namespace
