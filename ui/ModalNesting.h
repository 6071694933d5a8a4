#pragma once

#include <cstdint>

namespace app {

// The process-wide count of open modal windows (dialogs and message boxes).  The windows are
// locked when the first one opens and unlocked when the last one closes, so a nested modal
// window never re-enables them early.
class ModalNesting {
  public:
    // Counts one more; true when it is the first, so the caller locks the windows.
    static bool Enter();
    // Counts one less; true when none is left, so the caller unlocks the windows.  A leave
    // without an enter changes nothing.
    static bool Leave();
    static int32_t Depth();
};

}  // namespace app
