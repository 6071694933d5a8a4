#pragma once

#include <string>

namespace app {

// The filter of the system's file dialog from its text in the string table, where "|" ends each
// description and each pattern ("スプレー一覧(*.spr)|*.spr||").  Each "|" becomes the NUL the
// system expects, except where its byte is the second half of a double-byte character.
class FileFilter {
  public:
    static std::string FromText(const std::string& text);
};

}  // namespace app
