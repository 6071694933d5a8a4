#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "base/FileException.h"
#include "base/System.h"
#include "engine/SPRAYSTYLE.h"
#include "settings/IniFileBackend.h"
#include "settings/PresetCatalogue.h"
#include "settings/Registry.h"
#include "tests/settings/SprayBytes.h"
#include "tests/support/TestFiles.h"

namespace {

using namespace spraybytes;
using app::PresetCatalogue;
using app::SPRAYSTYLE;

SPRAYSTYLE WithCount(int32_t count) {
    SPRAYSTYLE style;
    style.Count = count;
    return style;
}

std::vector<std::string> Names(const PresetCatalogue& list) {
    std::vector<std::string> names;
    for (int32_t i = 0; i < list.Count(); ++i)
        names.push_back(list.Name(i));
    return names;
}

std::string Catalogue(const std::vector<std::string>& names) {
    std::string bytes = Header(static_cast<int32_t>(names.size()));
    for (const std::string& name : names)
        bytes += NameField(name) + End();
    return bytes;
}

std::vector<std::string> NamesIn(const std::string& path) {
    PresetCatalogue list;
    EXPECT_TRUE(list.LoadCatalogue(path)) << path;
    return Names(list);
}

// Points the program's own path into a folder for one test.
class ModulePath {
  public:
    explicit ModulePath(const std::string& path) : previous_(app::ModuleFilePath()) { app::SetModuleFilePath(path); }
    ~ModulePath() { app::SetModuleFilePath(previous_); }

  private:
    std::string previous_;
};

TEST(PresetCatalogue, EntriesAreSortedCaseInsensitivelyAndEqualNamesKeepTheirOrder) {
    PresetCatalogue list;
    EXPECT_EQ(list.AddPreset("b", WithCount(1)), 0);
    EXPECT_EQ(list.AddPreset("A", WithCount(2)), 0);
    EXPECT_EQ(list.AddPreset("a", WithCount(3)), 1);
    EXPECT_EQ(list.AddPreset("B", WithCount(4)), 3);
    EXPECT_EQ(list.AddPreset("ab", WithCount(5)), 2);
    EXPECT_EQ(Names(list), (std::vector<std::string>{"A", "a", "ab", "b", "B"}));
    EXPECT_EQ(list.Style(0).Count, 2);
    EXPECT_EQ(list.Style(4).Count, 4);
}

TEST(PresetCatalogue, TheSecondByteOfADoubleByteCharacterIsNotCaseFolded) {
    // Code page 932: 0x83 0x61 and 0x83 0x41 are two different katakana.
    PresetCatalogue list;
    list.AddPreset("\x83\x61", SPRAYSTYLE());
    list.AddPreset("\x83\x41", SPRAYSTYLE());
    EXPECT_EQ(Names(list), (std::vector<std::string>{"\x83\x41", "\x83\x61"}));
    EXPECT_TRUE(PresetCatalogue::NameBefore("\x83\x41", "\x83\x61"));
    EXPECT_FALSE(PresetCatalogue::NameBefore("\x83\x61", "\x83\x41"));
    // After a double-byte character, single bytes fold again.
    EXPECT_FALSE(PresetCatalogue::NameBefore("\x83\x41Z", "\x83\x41z"));
    EXPECT_FALSE(PresetCatalogue::NameBefore("\x83\x41z", "\x83\x41Z"));
}

TEST(PresetCatalogue, DeletingSelectsTheEntryNowAtTheSameIndexElseTheLastElseNone) {
    PresetCatalogue list;
    EXPECT_FALSE(list.DeleteSelected());
    list.AddPreset("a", SPRAYSTYLE());
    list.AddPreset("b", SPRAYSTYLE());
    list.AddPreset("c", SPRAYSTYLE());
    EXPECT_FALSE(list.DeleteSelected());
    EXPECT_EQ(list.Count(), 3);
    EXPECT_FALSE(list.IsModified());

    list.Select(1);
    EXPECT_TRUE(list.DeleteSelected());
    EXPECT_EQ(Names(list), (std::vector<std::string>{"a", "c"}));
    EXPECT_EQ(list.Selection(), 1);
    EXPECT_TRUE(list.IsModified());

    list.AddPreset("d", SPRAYSTYLE());
    list.Select(2);
    EXPECT_TRUE(list.DeleteSelected());
    EXPECT_EQ(list.Selection(), 1);
    EXPECT_EQ(list.Name(1), "c");

    list.RemovePreset(0);
    list.Select(0);
    EXPECT_TRUE(list.DeleteSelected());
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.Selection(), -1);
}

TEST(PresetCatalogue, TheSelectionFollowsItsEntry) {
    PresetCatalogue list;
    list.AddPreset("m", WithCount(7));
    list.Select(0);
    list.AddPreset("a", SPRAYSTYLE());
    list.AddPreset("z", SPRAYSTYLE());
    EXPECT_EQ(list.Selection(), 1);
    list.RemovePreset(0);
    EXPECT_EQ(list.Selection(), 0);
    EXPECT_EQ(list.Style(list.Selection()).Count, 7);
    list.Select(5);
    EXPECT_EQ(list.Selection(), -1);
    list.Select(0);
    list.ClearPresets();
    EXPECT_EQ(list.Selection(), -1);
}

TEST(PresetCatalogue, CommandsMarkTheListModifiedAndFilesClearTheMark) {
    test::TempFolder folder;
    PresetCatalogue list;
    EXPECT_FALSE(list.ReplaceSelected(WithCount(1)));
    EXPECT_FALSE(list.IsModified());

    EXPECT_EQ(list.AddNewPreset("x", WithCount(1)), 0);
    EXPECT_EQ(list.Selection(), 0);
    EXPECT_TRUE(list.IsModified());
    list.SaveCatalogue(folder.File("a.spr"));
    EXPECT_FALSE(list.IsModified());

    list.Select(-1);
    list.Select(0);
    EXPECT_FALSE(list.IsModified());
    EXPECT_TRUE(list.ReplaceSelected(WithCount(9)));
    EXPECT_EQ(list.Name(0), "x");
    EXPECT_EQ(list.Style(0).Count, 9);
    EXPECT_TRUE(list.IsModified());
    EXPECT_TRUE(list.LoadCatalogue(folder.File("a.spr")));
    EXPECT_FALSE(list.IsModified());
    EXPECT_EQ(Names(list), (std::vector<std::string>{"x", "x"}));
}

TEST(PresetCatalogue, LoadingAddsToTheListAndAMissingFileIsSilent) {
    test::TempFolder folder;
    test::WriteFileText(folder.File("l.spr"), Catalogue({"b", "a"}));
    PresetCatalogue list;
    list.AddPreset("a", WithCount(1));
    list.AddPreset("c", SPRAYSTYLE());
    list.Select(1);
    const size_t reported = test::ReportedFailures().size();
    EXPECT_FALSE(list.LoadCatalogue(folder.File("none.spr")));
    EXPECT_EQ(test::ReportedFailures().size(), reported);
    EXPECT_TRUE(list.LoadCatalogue(folder.File("l.spr")));
    EXPECT_EQ(Names(list), (std::vector<std::string>{"a", "a", "b", "c"}));
    EXPECT_EQ(list.Style(0).Count, 1);  // the entry that was there first stays first
    EXPECT_EQ(list.Selection(), 3);
}

// A file of empty records claims presets at four bytes each; the list takes what it can hold and
// refuses the rest with code 9, so that a load never costs memory out of all proportion.
TEST(PresetCatalogue, AListHoldsAtMostItsLimitFromFilesAndCommandsAlike) {
    const int32_t most = PresetCatalogue::kMostPresets;
    test::TempFolder folder;
    std::string bytes = Header(most + 10);
    for (int32_t i = 0; i < most + 10; ++i)
        bytes += End();
    test::WriteFileText(folder.File("many.spr"), bytes);
    PresetCatalogue list;
    list.AddPreset("kept", SPRAYSTYLE());
    try {
        list.LoadCatalogue(folder.File("many.spr"));
        ADD_FAILURE() << "a list beyond its limit";
    } catch (const app::Exception& e) {
        EXPECT_EQ(e.Code(), app::ErrorAddItem);
    }
    EXPECT_EQ(list.Count(), most);  // what fitted stays, as with any failure part way
    try {
        list.AddNewPreset("one more", SPRAYSTYLE());
        ADD_FAILURE() << "a full list took another entry";
    } catch (const app::Exception& e) {
        EXPECT_EQ(e.Code(), app::ErrorAddItem);
    }
    EXPECT_EQ(list.Count(), most);
    EXPECT_FALSE(list.IsModified());
}

TEST(PresetCatalogue, PathsFollowTheLibraryAndTheHostPath) {
    const std::string sep(1, app::kPathSeparator);
    EXPECT_EQ(PresetCatalogue::DefaultCatalogueFilePath("D:\\Plugins\\X.dll", "C:\\Tools\\Host\\host.cfg"),
              "C:\\Tools\\Host\\X.spr");
    EXPECT_EQ(PresetCatalogue::DefaultCatalogueFilePath("D:\\Plugins\\X.dll", ""), "D:\\Plugins\\X.spr");
    EXPECT_EQ(PresetCatalogue::DefaultCatalogueFilePath("D:\\Plugins\\X.dll", nullptr), "D:\\Plugins\\X.spr");
    EXPECT_EQ(PresetCatalogue::PresetFilePath("D:\\Plugins\\X.dll"), "D:\\Plugins\\preset" + sep + "preset.spr");

    ModulePath module("/opt/dl/Driftlace.dll");
    PresetCatalogue list;
    EXPECT_EQ(list.CataloguePath(), "/opt/dl/Driftlace.spr");
    EXPECT_EQ(PresetCatalogue::PresetPath(), "/opt/dl/preset" + sep + "preset.spr");
    list.SetCatalogueFile("/home/u/mine.spr");
    EXPECT_EQ(list.CataloguePath(), "/home/u/mine.spr");
}

TEST(PresetCatalogue, SettingsKeepTheFileAndTheSelection) {
    test::TempFolder folder;
    const std::string ini = folder.File("s.ini");
    {
        PresetCatalogue list;
        list.SetCatalogueFile("C:\\x.spr");
        list.AddPreset("a", SPRAYSTYLE());
        list.AddPreset("b", SPRAYSTYLE());
        list.Select(1);
        app::Registry store;
        store.Open(std::make_unique<app::IniFileBackend>(ini), false);
        store.SelectSection("Panel\\Catalog");
        list.ExchangeSettings(store);
        store.Close();
    }
    PresetCatalogue list;
    app::Registry store;
    store.Open(std::make_unique<app::IniFileBackend>(ini), true);
    store.SelectSection("Panel\\Catalog");
    list.ExchangeSettings(store);
    store.Close();
    EXPECT_EQ(list.CatalogueFile(), "C:\\x.spr");
    EXPECT_EQ(list.Selection(), 1);
}

class CatalogueRun : public ::testing::Test {
  protected:
    CatalogueRun() : module_(folder_.File("Driftlace.dll")) {
        std::filesystem::create_directory(folder_.File("preset"));
    }

    std::string CatalogueFile() const { return folder_.File("Driftlace.spr"); }
    std::string PresetFile() const { return folder_.File("preset") + app::kPathSeparator + "preset.spr"; }
    std::string File(const std::string& name) const { return folder_.File(name); }

    test::TempFolder folder_;
    ModulePath module_;
};

TEST_F(CatalogueRun, AMissingCatalogueLoadsThePresetsAndTheNextSaveGoesToTheCatalogue) {
    const std::string presets = Catalogue({"fire", "smoke"});
    test::WriteFileText(PresetFile(), presets);
    PresetCatalogue list;
    list.LoadAtStart();
    EXPECT_EQ(Names(list), (std::vector<std::string>{"fire", "smoke"}));
    EXPECT_FALSE(list.IsModified());
    list.Select(0);
    ASSERT_TRUE(list.DeleteSelected());
    list.SaveAtEnd();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.Selection(), 0);  // kept for the settings
    EXPECT_EQ(test::ReadFileText(PresetFile()), presets);
    EXPECT_EQ(NamesIn(CatalogueFile()), (std::vector<std::string>{"smoke"}));
}

TEST_F(CatalogueRun, StartUsesTheCatalogueAndTheStoredSelection) {
    test::WriteFileText(PresetFile(), Catalogue({"fire"}));
    test::WriteFileText(CatalogueFile(), Catalogue({"a", "b"}));
    PresetCatalogue list;
    list.Select(-1);
    list.LoadAtStart();
    EXPECT_EQ(Names(list), (std::vector<std::string>{"a", "b"}));
    list.SaveAtEnd();  // unchanged: nothing written
    EXPECT_EQ(test::FileNamesIn(folder_.Path()), (std::vector<std::string>{"Driftlace.spr", "preset"}));
}

TEST_F(CatalogueRun, ABrokenCatalogueIsReportedAndThePresetFileFollows) {
    test::WriteFileText(PresetFile(), Catalogue({"fire"}));
    const std::string broken = Header(2) + NameField("kept") + End() + IntField(99, 0);
    test::WriteFileText(CatalogueFile(), broken);
    const size_t reported = test::ReportedFailures().size();
    PresetCatalogue list;
    list.LoadAtStart();
    ASSERT_EQ(test::ReportedFailures().size(), reported + 1);
    EXPECT_NE(test::ReportedFailures().back().find(CatalogueFile()), std::string::npos);
    EXPECT_EQ(Names(list), (std::vector<std::string>{"fire", "kept"}));
    list.SaveAtEnd();
    EXPECT_EQ(test::ReadFileText(CatalogueFile()), broken);
}

TEST_F(CatalogueRun, SavingReplacesTheOldFileWhole) {
    PresetCatalogue big;
    for (int i = 0; i < 30; ++i)
        big.AddPreset("p" + std::to_string(i), SPRAYSTYLE());
    big.SaveCatalogue(CatalogueFile());
    PresetCatalogue small;
    small.AddPreset("only", SPRAYSTYLE());
    small.SaveCatalogue(CatalogueFile());
    PresetCatalogue back;
    ASSERT_TRUE(back.LoadCatalogue(CatalogueFile()));
    EXPECT_EQ(Names(back), (std::vector<std::string>{"only"}));
    EXPECT_EQ(test::FileNamesIn(folder_.Path()), (std::vector<std::string>{"Driftlace.spr", "preset"}));
}

// The save writes under a name of its own: files that happen to bear the names a save might
// choose are neither in its way nor touched by it.
TEST_F(CatalogueRun, FilesWhereASaveMightWriteAreLeftAlone) {
    test::WriteFileText(CatalogueFile() + ".tmp", "somebody's file");
    std::filesystem::create_directory(CatalogueFile() + ".part");
    PresetCatalogue list;
    list.SaveCatalogue(CatalogueFile());
    EXPECT_EQ(test::ReadFileText(CatalogueFile()), Header(0));
    EXPECT_EQ(test::ReadFileText(CatalogueFile() + ".tmp"), "somebody's file");
    EXPECT_EQ(test::FileNamesIn(folder_.Path()),
              (std::vector<std::string>{"Driftlace.spr", "Driftlace.spr.part", "Driftlace.spr.tmp", "preset"}));
}

TEST_F(CatalogueRun, ASaveThatCannotTakeTheOldFilesPlaceLeavesNothingBehind) {
    // A folder where the catalogue should go: the new file is complete, but cannot replace it.
    std::filesystem::create_directory(CatalogueFile());
    PresetCatalogue list;
    list.AddNewPreset("x", SPRAYSTYLE());
    try {
        list.SaveCatalogue(CatalogueFile());
        FAIL() << "saved over a folder";
    } catch (const app::FileException& e) {
        EXPECT_EQ(e.Code(), app::ErrorSystem);
        EXPECT_EQ(e.FileName(), CatalogueFile());
    }
    EXPECT_TRUE(list.IsModified());
    EXPECT_EQ(test::FileNamesIn(folder_.Path()), (std::vector<std::string>{"Driftlace.spr", "preset"}));
}

TEST_F(CatalogueRun, OpeningAMissingFileWithAnUnchangedListCreatesItEmpty) {
    test::WriteFileText(CatalogueFile(), Catalogue({"a"}));
    PresetCatalogue list;
    list.LoadAtStart();
    bool asked = false;
    list.OpenCatalogue(File("new.spr"), [&] {
        asked = true;
        return PresetCatalogue::AnswerCancel;
    });
    EXPECT_FALSE(asked);
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.CatalogueFile(), File("new.spr"));
    EXPECT_EQ(test::ReadFileText(File("new.spr")), Header(0));
    EXPECT_EQ(test::ReadFileText(CatalogueFile()), Catalogue({"a"}));
}

TEST_F(CatalogueRun, OpeningSavesAChangedListFirst) {
    test::WriteFileText(File("other.spr"), Catalogue({"o"}));
    PresetCatalogue list;
    list.AddNewPreset("mine", SPRAYSTYLE());
    list.OpenCatalogue(File("other.spr"), [] { return PresetCatalogue::AnswerCancel; });
    EXPECT_EQ(NamesIn(CatalogueFile()), (std::vector<std::string>{"mine"}));
    EXPECT_EQ(Names(list), (std::vector<std::string>{"o"}));
    EXPECT_FALSE(list.IsModified());
    EXPECT_EQ(list.CataloguePath(), File("other.spr"));
}

TEST_F(CatalogueRun, WhenTheChangedListCannotBeSavedTheAnswerDecides) {
    std::filesystem::create_directory(CatalogueFile());  // the save fails
    test::WriteFileText(File("other.spr"), Catalogue({"o"}));
    auto changed = [] {
        auto list = std::make_unique<PresetCatalogue>();
        list->AddNewPreset("mine", SPRAYSTYLE());
        return list;
    };
    auto answer = [](PresetCatalogue::Answer a) { return [a] { return a; }; };
    const size_t reported = test::ReportedFailures().size();

    auto cancelled = changed();
    cancelled->OpenCatalogue(File("other.spr"), answer(PresetCatalogue::AnswerCancel));
    EXPECT_EQ(test::ReportedFailures().size(), reported + 1);
    EXPECT_EQ(Names(*cancelled), (std::vector<std::string>{"mine"}));
    EXPECT_EQ(cancelled->CatalogueFile(), "");

    auto cleared = changed();
    cleared->OpenCatalogue(File("other.spr"), answer(PresetCatalogue::AnswerYes));
    EXPECT_EQ(Names(*cleared), (std::vector<std::string>{"o"}));
    EXPECT_FALSE(cleared->IsModified());

    auto kept = changed();
    kept->OpenCatalogue(File("other.spr"), answer(PresetCatalogue::AnswerNo));
    EXPECT_EQ(Names(*kept), (std::vector<std::string>{"mine", "o"}));
    EXPECT_EQ(kept->CatalogueFile(), File("other.spr"));
    // The kept entry is not in other.spr yet, so the end of the run must write it there.
    EXPECT_TRUE(kept->IsModified());
    kept->SaveAtEnd();
    EXPECT_EQ(NamesIn(File("other.spr")), (std::vector<std::string>{"mine", "o"}));
}

TEST_F(CatalogueRun, OpeningABrokenFileBringsTheOldListBack) {
    test::WriteFileText(CatalogueFile(), Catalogue({"a", "b"}));
    const std::string broken = Header(2) + NameField("half") + End() + "junk";
    test::WriteFileText(File("broken.spr"), broken);
    PresetCatalogue list;
    list.LoadAtStart();
    const size_t reported = test::ReportedFailures().size();
    list.OpenCatalogue(File("broken.spr"), [] { return PresetCatalogue::AnswerCancel; });
    ASSERT_EQ(test::ReportedFailures().size(), reported + 1);
    EXPECT_NE(test::ReportedFailures().back().find("broken.spr"), std::string::npos);
    EXPECT_EQ(Names(list), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(list.CatalogueFile(), "");
    EXPECT_EQ(test::ReadFileText(File("broken.spr")), broken);
}

// Whatever the answer to the failed save, a chosen file that is broken or cannot be created
// leaves the list as the user had it, changes and all, and no half file behind.
TEST_F(CatalogueRun, AFailedOpenPutsAnUnsavedListBackWhateverTheAnswer) {
    std::filesystem::create_directory(CatalogueFile());  // the changed list cannot be saved
    test::WriteFileText(File("broken.spr"), Header(2) + NameField("half") + End() + "junk");
    const std::string uncreatable = File("missing") + app::kPathSeparator + "new.spr";
    for (const std::string& chosen : {File("broken.spr"), uncreatable}) {
        for (const PresetCatalogue::Answer answer : {PresetCatalogue::AnswerYes, PresetCatalogue::AnswerNo}) {
            PresetCatalogue list;
            list.AddNewPreset("mine", WithCount(7));
            list.OpenCatalogue(chosen, [answer] { return answer; });
            EXPECT_EQ(Names(list), (std::vector<std::string>{"mine"})) << chosen << " " << answer;
            EXPECT_EQ(list.Style(0).Count, 7);
            EXPECT_EQ(list.Selection(), 0);
            EXPECT_TRUE(list.IsModified());
            EXPECT_EQ(list.CatalogueFile(), "");
        }
    }
    EXPECT_FALSE(app::FileExists(uncreatable));
}

// A catalogue file that is there at the start but does not load is the user's: it is reported,
// the shipped presets stand in, and nothing of the run is saved over it, whatever was changed.
// Only another file, chosen by the user, takes the changes.
TEST_F(CatalogueRun, ACatalogueThatFailsToLoadAtTheStartIsNeverSavedOver) {
    test::WriteFileText(PresetFile(), Catalogue({"fire"}));
    const std::string newer = Header(0, 3);
    struct {
        const char* what;
        void (*make)(const std::string& path, const std::string& bytes);
    } const cases[] = {
        {"newer", [](const std::string& path, const std::string& bytes) { test::WriteFileText(path, bytes); }},
        {"unreadable", [](const std::string& path, const std::string&) { std::filesystem::create_directory(path); }},
    };
    for (const auto& row : cases) {
        row.make(CatalogueFile(), newer);
        const size_t reported = test::ReportedFailures().size();
        PresetCatalogue list;
        list.LoadAtStart();
        ASSERT_EQ(test::ReportedFailures().size(), reported + 1) << row.what;
        EXPECT_NE(test::ReportedFailures().back().find(CatalogueFile()), std::string::npos) << row.what;
        EXPECT_EQ(Names(list), (std::vector<std::string>{"fire"})) << row.what;
        list.AddNewPreset("new", SPRAYSTYLE());
        list.SaveAtEnd();
        ASSERT_EQ(test::ReportedFailures().size(), reported + 2) << row.what;
        EXPECT_NE(test::ReportedFailures().back().find(CatalogueFile()), std::string::npos) << row.what;
        if (std::string(row.what) == "newer") {
            EXPECT_EQ(test::ReadFileText(CatalogueFile()), newer);
        }
        EXPECT_EQ(test::FileNamesIn(folder_.Path()), (std::vector<std::string>{"Driftlace.spr", "preset"})) << row.what;
        std::filesystem::remove_all(CatalogueFile());
    }
}

TEST_F(CatalogueRun, ChangesAfterAFailedStartGoToAnotherChosenFile) {
    test::WriteFileText(CatalogueFile(), Header(0, 3));
    PresetCatalogue list;
    list.LoadAtStart();
    list.AddNewPreset("new", SPRAYSTYLE());
    bool asked = false;
    list.OpenCatalogue(File("other.spr"), [&] {
        asked = true;  // the list could not be saved where it came from
        return PresetCatalogue::AnswerNo;
    });
    EXPECT_TRUE(asked);
    list.SaveAtEnd();
    EXPECT_EQ(NamesIn(File("other.spr")), (std::vector<std::string>{"new"}));
    EXPECT_EQ(test::ReadFileText(CatalogueFile()), Header(0, 3));
}

// The shipped catalogue is never written: opened by hand (or stored as the catalogue by an
// earlier version), its changes go to its copy beside the catalogue, which later opens of the
// shipped catalogue read instead.
TEST_F(CatalogueRun, TheShippedCatalogueIsReadOnlyAndItsChangesGoToItsCopy) {
    const std::string shipped = Catalogue({"fire", "smoke"});
    test::WriteFileText(PresetFile(), shipped);
    test::WriteFileText(CatalogueFile(), Catalogue({"mine"}));
    const std::string copy = File("Driftlace-preset.spr");
    PresetCatalogue list;
    list.LoadAtStart();
    list.OpenCatalogue(PresetFile(), [] { return PresetCatalogue::AnswerCancel; });
    EXPECT_EQ(Names(list), (std::vector<std::string>{"fire", "smoke"}));
    EXPECT_EQ(list.CatalogueFile(), copy);
    list.AddNewPreset("new", SPRAYSTYLE());
    list.SaveAtEnd();
    EXPECT_EQ(test::ReadFileText(PresetFile()), shipped);
    EXPECT_EQ(NamesIn(copy), (std::vector<std::string>{"fire", "new", "smoke"}));
    EXPECT_EQ(NamesIn(CatalogueFile()), (std::vector<std::string>{"mine"}));

    PresetCatalogue again;
    again.OpenCatalogue(PresetFile(), [] { return PresetCatalogue::AnswerCancel; });
    EXPECT_EQ(Names(again), (std::vector<std::string>{"fire", "new", "smoke"}));

    PresetCatalogue stored;
    stored.SetCatalogueFile(PresetFile());
    stored.LoadAtStart();
    EXPECT_EQ(stored.CatalogueFile(), copy);
    EXPECT_EQ(Names(stored), (std::vector<std::string>{"fire", "new", "smoke"}));
}

TEST(PresetCatalogue, TheSelectedPresetDiffersFromAStyleInAnyStoredFieldButNotInColours) {
    PresetCatalogue list;
    EXPECT_FALSE(list.SelectedDiffersFrom(SPRAYSTYLE()));  // no selection
    list.AddNewPreset("p", WithCount(7));
    SPRAYSTYLE style = WithCount(7);
    EXPECT_FALSE(list.SelectedDiffersFrom(style));
    style.Color[0] ^= 0xFFu;
    EXPECT_FALSE(list.SelectedDiffersFrom(style));
    for (void (*change)(SPRAYSTYLE&) :
         {+[](SPRAYSTYLE& s) { s.Count = 8; }, +[](SPRAYSTYLE& s) { s.Velocity.y += 1; },
          +[](SPRAYSTYLE& s) { s.UseSplit = !s.UseSplit; }, +[](SPRAYSTYLE& s) { s.SplitRate = -0.0; }}) {
        SPRAYSTYLE changed = WithCount(7);
        change(changed);
        EXPECT_TRUE(list.SelectedDiffersFrom(changed));
    }
}

}  // namespace
