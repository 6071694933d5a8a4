#include "host/FilterTitle.h"

#include <cstring>

#include "base/Failure.h"
#include "base/StringTable.h"
#include "resources/ResourceIds.h"

namespace app {

std::string ProductTitle() {
    std::string text;
    LoadTableString(IDS_PRODUCT, &text);
    return text;
}

int32_t RunFilterGetTitle(char* title, int32_t* first, int32_t* second, TitleSource source) noexcept {
    if (!title || !first || !second)
        return 0;
    try {
        const std::string text = source();
        std::memcpy(title, text.c_str(), text.size() + 1);
        *first = 0;
        *second = 10;
        return 1;
    } catch (...) {
        // Like FilterProc: nothing crosses into the host, which gets an empty title and 0.
        title[0] = '\0';
        ReportFailure(nullptr);
        return 0;
    }
}

}  // namespace app
