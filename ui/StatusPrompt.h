#pragma once

#include <cstdint>
#include <memory>

#include "base/String.h"

namespace app {

class StatusPromptMember;

// The status-bar text of the frame: the prompt of the command under the menu cursor, empty
// (id 60002) outside menu tracking.  Remembers the id shown last so that an unchanged selection
// does not set the text again.
class StatusPrompt {
  public:
    StatusPrompt();
    ~StatusPrompt();
    StatusPrompt(const StatusPrompt&) = delete;
    StatusPrompt& operator=(const StatusPrompt&) = delete;

    // The id that a WM_MENUSELECT shows: 60002 for a popup title or when the menu closes.
    static int32_t MenuSelectId(int32_t itemId, bool isPopup, bool menuClosing);

    // Returns true and the text to set when `id` differs from the id shown last.  The text is
    // the part of the string before its first line break; 60002 and missing strings give "".
    bool Show(int32_t id, String* text);
    int32_t ShownId() const;

  private:
    std::unique_ptr<StatusPromptMember> m_;
};

}  // namespace app
