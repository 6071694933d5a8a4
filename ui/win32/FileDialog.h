#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

namespace app {

class FileDialogMember;

// The system's save-file dialog (explorer style, no read-only box, the current folder left
// alone) with a title and a filter from the string table and a default extension.  While it is
// up, the frame and the panels are disabled.
class FileDialog {
  public:
    FileDialog(int32_t titleId, int32_t filterId, const char* defaultExtension);
    ~FileDialog();
    FileDialog(const FileDialog&) = delete;
    FileDialog& operator=(const FileDialog&) = delete;

    // Shows the dialog with `initial` as the file name; true when a name was chosen.  An initial
    // name that does not fit or that the system refuses is left out rather than failing.
    bool Run(HWND owner, const std::string& initial);
    // The chosen file's full path.
    std::string FileName() const;

  private:
    std::unique_ptr<FileDialogMember> m_;
};

}  // namespace app
