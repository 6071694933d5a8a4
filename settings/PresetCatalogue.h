#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace app {

class PresetCatalogueMember;
class Registry;
struct SPRAYSTYLE;

// The user's collection of named spray presets, as the spray list panel shows it: entries of a
// name and an owned style, kept in name order (case-insensitive; entries with equal names stay
// in the order they were added), a selection, the catalogue file and whether the list differs
// from that file.  The panel shows this list; everything here is free of window calls.
class PresetCatalogue {
  public:
    PresetCatalogue();
    ~PresetCatalogue();
    PresetCatalogue(const PresetCatalogue&) = delete;
    PresetCatalogue& operator=(const PresetCatalogue&) = delete;

    // The most entries the list holds: what a list box holds on every Windows version.  A
    // catalogue file may claim millions of presets in a few bytes each, while each entry in
    // memory costs some 350 bytes; with this bound a load never takes more than about 12 MB.
    static constexpr int32_t kMostPresets = 32767;

    int32_t Count() const;
    const std::string& Name(int32_t index) const;
    const SPRAYSTYLE& Style(int32_t index) const;

    // The list itself.  The selection follows its entry while others come and go; these do not
    // touch the modified flag.  A list that holds kMostPresets refuses another entry (code 9).
    int32_t AddPreset(const std::string& name, const SPRAYSTYLE& style);  // the new entry's index
    void RemovePreset(int32_t index);
    void ClearPresets();  // last first

    // Reads a ".spr" file and adds its presets.  False, silently, when there is no such file;
    // raises on a file that cannot be opened (code 1) and on a bad file, keeping the presets read before the failure.
    // When the list has no room for all of them, the presets that fit are added and code 9 is raised.
    bool LoadCatalogue(const std::string& path);
    // Writes the whole list.  The file is written beside the old one under a temporary name and
    // takes the old one's place only when it is complete, so a failure leaves the old file as it
    // was.  Raises code 1 with the system's error number and the path.
    void SaveCatalogue(const std::string& path);

    int32_t Selection() const;   // -1: none
    void Select(int32_t index);  // an index outside the list selects none
    bool IsModified() const;

    // The panel's commands.  Add selects the new entry; replace keeps the name; delete selects
    // the entry that now has the same index, else the last one, else none.  Replace and delete
    // do nothing without a selection and say so.
    int32_t AddNewPreset(const std::string& name, const SPRAYSTYLE& style);
    // Whether `style` (the current tool's) differs from the selected preset in a stored field;
    // false without a selection.
    bool SelectedDiffersFrom(const SPRAYSTYLE& style) const;
    bool ReplaceSelected(const SPRAYSTYLE& style);
    bool DeleteSelected();

    // Catalogue file: empty means the default catalogue file.
    const std::string& CatalogueFile() const;
    void SetCatalogueFile(const std::string& path);
    std::string CataloguePath() const;
    static std::string PresetPath();
    // The same from explicit paths: the library's own, and the host's (may be null or empty).
    static std::string DefaultCatalogueFilePath(const std::string& modulePath, const char* hostPath);
    static std::string PresetFilePath(const std::string& modulePath);
    // The shipped catalogue is never written: while it is the catalogue file, this file beside
    // the default catalogue file ("<library>-preset.spr") takes its changes.
    static std::string ShippedCopyPath(const std::string& modulePath, const char* hostPath);
    // The file that takes the changes of a list read from `path`: the path itself, or the
    // shipped catalogue's copy instead of the shipped catalogue.
    static std::string WritablePath(const std::string& path);
    // Where a save of the list goes: the writable path of the catalogue path.
    std::string SavePath() const;

    // The panel's stored values "File" and "Select"; the caller has selected "Panel\Catalog".
    void ExchangeSettings(Registry& store);

    // Panel creation: the catalogue file, or the preset file when that cannot be loaded, then
    // the stored selection.  Failures are reported with `owner`.  A catalogue file that is there
    // but fails to load (locked, broken, newer) is never saved over in this run: its presets
    // would be lost.  A change is then kept only by opening another file.
    void LoadAtStart(void* owner = nullptr);
    // Panel destruction: saves when modified (a failure is reported), then clears the list.
    // The selection stays for ExchangeSettings.
    void SaveAtEnd(void* owner = nullptr);

    // Switching to another catalogue file (the open command, after the file dialog).  Choosing
    // the shipped catalogue makes its copy the catalogue file: the copy is read when it exists,
    // else the shipped presets, and the changes go to the copy (the panel says where).  When the
    // current list cannot be saved, `askClear` decides: Yes drops the current entries, No keeps
    // them in the new list, Cancel stops.  A file that does not exist is created from the list.
    // When the chosen file is broken or cannot be created, the failure is reported and the list,
    // its selection and its modified mark are put back as they were.
    enum Answer : int32_t { AnswerCancel, AnswerYes, AnswerNo };
    void OpenCatalogue(const std::string& chosen, const std::function<Answer()>& askClear, void* owner = nullptr);

    // The order of the list: case-insensitive for ASCII letters, while the second byte of a
    // double-byte character (names are in the system code page, 932 for Japanese) counts as is.
    static bool NameBefore(const std::string& a, const std::string& b);

  private:
    // Saves to SavePath(), unless that is the file that could not be read at the start (code 15).
    void SaveToCatalogueFile();

    std::unique_ptr<PresetCatalogueMember> m_;
};

}  // namespace app
