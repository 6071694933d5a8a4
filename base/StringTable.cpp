#include "base/StringTable.h"

#include <algorithm>
#include <iterator>

namespace app {

namespace {

struct Entry {
    int32_t id;
    const char* text;
};

#define STRING_ENTRY(id, text) {id, text},
const Entry kEntries[] = {
#include "resources/StringTable.inc"
};
#undef STRING_ENTRY

}  // namespace

bool LoadTableString(int32_t id, std::string* text) {
    text->clear();
    const auto found =
        std::find_if(std::begin(kEntries), std::end(kEntries), [id](const Entry& entry) { return entry.id == id; });
    if (found == std::end(kEntries))
        return false;
    *text = found->text;
    return true;
}

}  // namespace app
