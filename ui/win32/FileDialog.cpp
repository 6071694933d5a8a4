#include "ui/win32/FileDialog.h"

#include <cderr.h>
#include <commdlg.h>

#include <cstring>

#include "base/String.h"
#include "ui/FileFilter.h"
#include "ui/win32/Modal.h"

namespace app {

class FileDialogMember {
  public:
    char fileName[MAX_PATH] = {};
    String title;
    std::string filter;
    std::string defaultExtension;
    OPENFILENAMEA description = {};

    bool Show(HWND owner) {
        description = {};
        description.lStructSize = sizeof description;
        description.hwndOwner = owner;
        description.lpstrFilter = filter.c_str();
        description.lpstrFile = fileName;
        description.nMaxFile = sizeof fileName;
        description.lpstrTitle = title.CStr();
        description.lpstrDefExt = defaultExtension.c_str();
        // The host's current folder is the host's: choosing a file must not move it.
        description.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
        Modal scope;
        return GetSaveFileNameA(&description) != FALSE;
    }
};

FileDialog::FileDialog(int32_t titleId, int32_t filterId, const char* defaultExtension)
    : m_(std::make_unique<FileDialogMember>()) {
    m_->title = String::Load(titleId);
    m_->filter = FileFilter::FromText(String::Load(filterId).ToStdString());
    m_->defaultExtension = defaultExtension;
}

FileDialog::~FileDialog() = default;

bool FileDialog::Run(HWND owner, const std::string& initial) {
    FileDialogMember& dialog = *m_;
    dialog.fileName[0] = '\0';
    if (initial.size() < sizeof dialog.fileName)
        std::memcpy(dialog.fileName, initial.c_str(), initial.size() + 1);
    if (dialog.Show(owner))
        return dialog.fileName[0] != '\0';
    // A stored name the system finds unusable would otherwise keep the dialog from opening.
    if (CommDlgExtendedError() != FNERR_INVALIDFILENAME || dialog.fileName[0] == '\0')
        return false;
    dialog.fileName[0] = '\0';
    return dialog.Show(owner) && dialog.fileName[0] != '\0';
}

std::string FileDialog::FileName() const {
    return m_->fileName;
}

}  // namespace app
