// A save that fails in the middle of writing must leave the old catalogue exactly as it was.
// The failure is a real one: the process's file-size limit makes the system refuse the write
// once the new file reaches a few hundred bytes (native build only).
#ifndef _WIN32

#include <gtest/gtest.h>

#include <cerrno>
#include <string>
#include <vector>

#include "base/FileException.h"
#include "base/System.h"
#include "engine/SPRAYSTYLE.h"
#include "settings/PresetCatalogue.h"
#include "tests/support/FileSizeLimit.h"
#include "tests/support/TestFiles.h"

namespace {

using app::PresetCatalogue;

TEST(CatalogueSaveFailure, AWriteThatFailsHalfwayLeavesTheOldFileAsItWas) {
    test::TempFolder folder;
    const std::string path = folder.File("mine.spr");
    PresetCatalogue old;
    old.AddPreset("old", app::SPRAYSTYLE());
    old.SaveCatalogue(path);
    const std::string before = test::ReadFileText(path);
    ASSERT_GT(before.size(), 300u);

    PresetCatalogue list;
    for (int i = 0; i < 40; ++i)
        list.AddNewPreset("new " + std::to_string(i), app::SPRAYSTYLE());
    {
        test::FileSizeLimit limit(300);
        ASSERT_TRUE(limit.Active());
        try {
            list.SaveCatalogue(path);
            ADD_FAILURE() << "the save went through the limit";
        } catch (const app::FileException& e) {
            EXPECT_EQ(e.Code(), app::ErrorSystem);
            EXPECT_EQ(e.Value(), EFBIG);
            EXPECT_EQ(e.FileName(), path);
        }
    }
    EXPECT_EQ(test::ReadFileText(path), before);
    EXPECT_EQ(test::FileNamesIn(folder.Path()), std::vector<std::string>{"mine.spr"});
    EXPECT_TRUE(list.IsModified());

    // The same save without the limit goes through.
    list.SaveCatalogue(path);
    PresetCatalogue back;
    ASSERT_TRUE(back.LoadCatalogue(path));
    EXPECT_EQ(back.Count(), 40);
}

TEST(CatalogueSaveFailure, AFailedSaveOfANewCatalogueLeavesNoFile) {
    test::TempFolder folder;
    const std::string path = folder.File("fresh.spr");
    PresetCatalogue list;
    for (int i = 0; i < 40; ++i)
        list.AddPreset("p", app::SPRAYSTYLE());
    {
        test::FileSizeLimit limit(300);
        ASSERT_TRUE(limit.Active());
        EXPECT_THROW(list.SaveCatalogue(path), app::FileException);
    }
    EXPECT_TRUE(test::FileNamesIn(folder.Path()).empty());
}

}  // namespace

#endif
