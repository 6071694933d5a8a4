#pragma once

#include <cstdint>
#include <string>

namespace app {

// Looks up a string-table entry.  The plug-in reads its own resources (text in the system code
// page); native programs and tests read the same table compiled in (UTF-8).  Returns false and
// leaves text empty when there is no entry.
bool LoadTableString(int32_t id, std::string* text);

}  // namespace app
