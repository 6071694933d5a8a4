#include "settings/PresetCatalogue.h"

#include <algorithm>
#include <vector>

#include "base/Failure.h"
#include "base/FileException.h"
#include "base/LeadByte.h"
#include "base/System.h"
#include "engine/SPRAYSTYLE.h"
#include "host/HostImage.h"
#include "settings/File.h"
#include "settings/Registry.h"
#include "settings/SettingsPaths.h"
#include "settings/SprayFields.h"
#include "settings/SprayFile.h"

namespace app {

namespace {

struct CATALOGUE_ENTRY {
    std::string name;
    std::unique_ptr<SPRAYSTYLE> style;
};

unsigned char FoldCase(unsigned char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<unsigned char>(c - 'A' + 'a') : c;
}

// A whole copy of the list with its selection and its modified mark.
struct CATALOGUE_STATE {
    std::vector<CATALOGUE_ENTRY> entries;
    int32_t selection;
    bool modified;
};

bool EntryBefore(const CATALOGUE_ENTRY& a, const CATALOGUE_ENTRY& b) {
    return PresetCatalogue::NameBefore(a.name, b.name);
}

}  // namespace

class PresetCatalogueMember {
  public:
    std::string catalogueFile;
    // The catalogue file that was there at the start but could not be loaded: kept as it is.
    std::string unreadFile;
    std::vector<CATALOGUE_ENTRY> entries;
    int32_t selection = -1;
    bool modified = false;

    const CATALOGUE_ENTRY& At(int32_t index) const { return entries.at(static_cast<size_t>(index)); }

    // Adds entries read from a file as if each had been added on its own: after the entries with
    // an equal name that are there already, in the file's order.
    void Merge(std::vector<CATALOGUE_ENTRY>& added) {
        if (added.empty())
            return;
        const SPRAYSTYLE* selected = selection >= 0 ? At(selection).style.get() : nullptr;
        entries.reserve(entries.size() + added.size());
        for (CATALOGUE_ENTRY& entry : added)
            entries.push_back(std::move(entry));
        added.clear();
        std::stable_sort(entries.begin(), entries.end(), EntryBefore);
        if (selected)
            selection = IndexOf(selected);
    }

    CATALOGUE_STATE Keep() const {
        CATALOGUE_STATE state{{}, selection, modified};
        state.entries.reserve(entries.size());
        for (const CATALOGUE_ENTRY& entry : entries)
            state.entries.push_back({entry.name, std::make_unique<SPRAYSTYLE>(*entry.style)});
        return state;
    }

    void Restore(CATALOGUE_STATE& state) noexcept {
        entries.swap(state.entries);
        selection = state.selection;
        modified = state.modified;
    }

    int32_t IndexOf(const SPRAYSTYLE* style) const {
        for (size_t i = 0; i < entries.size(); ++i) {
            if (entries[i].style.get() == style)
                return static_cast<int32_t>(i);
        }
        return -1;
    }
};

PresetCatalogue::PresetCatalogue() : m_(std::make_unique<PresetCatalogueMember>()) {}

PresetCatalogue::~PresetCatalogue() = default;

bool PresetCatalogue::NameBefore(const std::string& a, const std::string& b) {
    // Equal bytes so far mean equal lead-byte positions, so one trail flag serves both names.
    const size_t common = std::min(a.size(), b.size());
    bool trail = false;
    for (size_t i = 0; i < common; ++i) {
        unsigned char x = static_cast<unsigned char>(a[i]);
        unsigned char y = static_cast<unsigned char>(b[i]);
        if (!trail) {
            x = FoldCase(x);
            y = FoldCase(y);
        }
        if (x != y)
            return x < y;
        trail = !trail && IsLeadByte(static_cast<unsigned char>(a[i]));
    }
    return a.size() < b.size();
}

int32_t PresetCatalogue::Count() const {
    return static_cast<int32_t>(m_->entries.size());
}

const std::string& PresetCatalogue::Name(int32_t index) const {
    return m_->At(index).name;
}

const SPRAYSTYLE& PresetCatalogue::Style(int32_t index) const {
    return *m_->At(index).style;
}

int32_t PresetCatalogue::AddPreset(const std::string& name, const SPRAYSTYLE& style) {
    if (Count() >= kMostPresets)
        throw Exception(ErrorAddItem);
    CATALOGUE_ENTRY entry{name, std::make_unique<SPRAYSTYLE>(style)};
    auto& entries = m_->entries;
    const auto place = std::upper_bound(entries.begin(), entries.end(), entry, EntryBefore);
    const auto index = static_cast<int32_t>(place - entries.begin());
    entries.insert(place, std::move(entry));
    if (m_->selection >= index)
        ++m_->selection;
    return index;
}

void PresetCatalogue::RemovePreset(int32_t index) {
    m_->At(index);  // range check
    m_->entries.erase(m_->entries.begin() + index);
    if (m_->selection == index) {
        m_->selection = -1;
    } else if (m_->selection > index) {
        --m_->selection;
    }
}

void PresetCatalogue::ClearPresets() {
    while (!m_->entries.empty())
        m_->entries.pop_back();
    m_->selection = -1;
}

bool PresetCatalogue::LoadCatalogue(const std::string& path) {
    File file;
    if (!file.OpenForReading(path))
        return false;
    // Presets read before a failure stay in the list.
    std::vector<CATALOGUE_ENTRY> read;
    try {
        const int32_t count = SprayFile::ReadHeader(file);
        for (int32_t i = 0; i < count; ++i) {
            if (Count() + static_cast<int32_t>(read.size()) >= kMostPresets)
                throw Exception(ErrorAddItem);
            CATALOGUE_ENTRY entry{std::string(), std::make_unique<SPRAYSTYLE>()};
            SprayFile::ReadPreset(file, &entry.name, entry.style.get());
            read.push_back(std::move(entry));
        }
        file.Close();
    } catch (...) {
        m_->Merge(read);
        throw;
    }
    m_->Merge(read);
    m_->modified = false;
    return true;
}

void PresetCatalogue::SaveCatalogue(const std::string& path) {
    // The old catalogue is replaced only by a complete, closed file, written under a name of
    // its own beside it.
    int32_t error = 0;
    const std::string temporary = CreateTemporaryBeside(path, &error);
    if (temporary.empty())
        throw FileException(ErrorSystem, error, path);
    try {
        File file;
        file.CreateForWriting(temporary);
        SprayFile::WriteHeader(file, Count());
        for (const CATALOGUE_ENTRY& entry : m_->entries)
            SprayFile::WritePreset(file, entry.name, *entry.style);
        file.Close();
    } catch (const FileException& e) {
        RemoveFile(temporary);
        throw FileException(e.Code(), e.Value(), path);
    } catch (...) {
        RemoveFile(temporary);
        throw;
    }
    if (!ReplaceFileWith(temporary, path, &error)) {
        RemoveFile(temporary);
        throw FileException(ErrorSystem, error, path);
    }
    m_->modified = false;
}

int32_t PresetCatalogue::Selection() const {
    return m_->selection;
}

void PresetCatalogue::Select(int32_t index) {
    m_->selection = index >= 0 && index < Count() ? index : -1;
}

bool PresetCatalogue::IsModified() const {
    return m_->modified;
}

int32_t PresetCatalogue::AddNewPreset(const std::string& name, const SPRAYSTYLE& style) {
    const int32_t index = AddPreset(name, style);
    m_->selection = index;
    m_->modified = true;
    return index;
}

bool PresetCatalogue::SelectedDiffersFrom(const SPRAYSTYLE& style) const {
    return m_->selection >= 0 && !SameSprayFields(*m_->At(m_->selection).style, style);
}

bool PresetCatalogue::ReplaceSelected(const SPRAYSTYLE& style) {
    if (m_->selection < 0)
        return false;
    *m_->entries[static_cast<size_t>(m_->selection)].style = style;
    m_->modified = true;
    return true;
}

bool PresetCatalogue::DeleteSelected() {
    const int32_t index = m_->selection;
    if (index < 0)
        return false;
    RemovePreset(index);
    m_->modified = true;
    Select(std::min(index, Count() - 1));
    return true;
}

const std::string& PresetCatalogue::CatalogueFile() const {
    return m_->catalogueFile;
}

void PresetCatalogue::SetCatalogueFile(const std::string& path) {
    m_->catalogueFile = path;
}

std::string PresetCatalogue::CataloguePath() const {
    if (!m_->catalogueFile.empty())
        return m_->catalogueFile;
    return DefaultCatalogueFilePath(ModuleFilePath(), GetHostPath());
}

std::string PresetCatalogue::PresetPath() {
    return PresetFilePath(ModuleFilePath());
}

std::string PresetCatalogue::DefaultCatalogueFilePath(const std::string& modulePath, const char* hostPath) {
    const bool hasHostPath = hostPath && hostPath[0] != '\0';
    const std::string folder = hasHostPath ? DirectoryOf(hostPath) : DirectoryOf(modulePath);
    return folder + FileStemOf(modulePath) + ".spr";
}

std::string PresetCatalogue::PresetFilePath(const std::string& modulePath) {
    return PresetFolderPath(modulePath) + "preset.spr";
}

void PresetCatalogue::ExchangeSettings(Registry& store) {
    store.ExchangeText("File", m_->catalogueFile, std::string());
    store.ExchangeInt("Select", m_->selection, -1);
}

std::string PresetCatalogue::ShippedCopyPath(const std::string& modulePath, const char* hostPath) {
    const std::string catalogue = DefaultCatalogueFilePath(modulePath, hostPath);
    return DirectoryOf(catalogue) + FileStemOf(catalogue) + "-preset.spr";
}

std::string PresetCatalogue::WritablePath(const std::string& path) {
    const bool shipped = path == PresetPath() || SameFile(path, PresetPath());
    return shipped ? ShippedCopyPath(ModuleFilePath(), GetHostPath()) : path;
}

std::string PresetCatalogue::SavePath() const {
    return WritablePath(CataloguePath());
}

void PresetCatalogue::SaveToCatalogueFile() {
    const std::string path = SavePath();
    if (!m_->unreadFile.empty() && path == m_->unreadFile)
        throw FileException(ErrorKeptUnread, 0, path);
    SaveCatalogue(path);
}

void PresetCatalogue::LoadAtStart(void* owner) {
    const int32_t stored = m_->selection;
    m_->selection = -1;
    if (SavePath() != CataloguePath())  // a shipped catalogue stored by an earlier version
        SetCatalogueFile(SavePath());
    bool loaded = false;
    try {
        loaded = LoadCatalogue(CataloguePath());
    } catch (...) {
        m_->unreadFile = CataloguePath();
        ReportFailure(owner);
    }
    if (!loaded) {
        try {
            LoadCatalogue(PresetPath());
        } catch (...) {
            ReportFailure(owner);
        }
    }
    Select(stored);
}

void PresetCatalogue::SaveAtEnd(void* owner) {
    if (m_->modified) {
        try {
            SaveToCatalogueFile();
        } catch (...) {
            ReportFailure(owner);
        }
    }
    const int32_t selection = m_->selection;
    ClearPresets();
    m_->selection = selection;
}

void PresetCatalogue::OpenCatalogue(const std::string& chosen, const std::function<Answer()>& askClear, void* owner) {
    if (chosen.empty())
        return;
    bool saved = false;
    try {
        if (m_->modified)
            SaveToCatalogueFile();
        saved = true;
    } catch (...) {
        ReportFailure(owner);
    }
    bool clear = true;
    if (!saved) {
        const Answer answer = askClear();
        if (answer == AnswerCancel)
            return;
        clear = answer == AnswerYes;
    }
    // The list as it stands comes back whole when the chosen file cannot be read or created:
    // whatever the answer, nothing the user had is lost, and nothing read from a broken file
    // stays to be saved over the old catalogue at the end of the run.
    CATALOGUE_STATE before = m_->Keep();
    if (clear)
        ClearPresets();
    const bool keptEntries = Count() > 0;
    const std::string file = WritablePath(chosen);
    try {
        if (!LoadCatalogue(file) && (file == chosen || !LoadCatalogue(chosen))) {
            SaveCatalogue(file);
        } else if (keptEntries) {
            // The kept entries are not in the chosen file yet; without this they would be lost
            // at the end of the run.
            m_->modified = true;
        }
        SetCatalogueFile(file);
        if (file == m_->unreadFile)
            m_->unreadFile.clear();  // read now: saving over it keeps what it holds
    } catch (...) {
        ReportFailure(owner);
        m_->Restore(before);
    }
}

}  // namespace app
