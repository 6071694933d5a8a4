#include "ui/FileFilter.h"

#include "base/LeadByte.h"

namespace app {

std::string FileFilter::FromText(const std::string& text) {
    std::string filter = text;
    for (size_t i = 0; i < filter.size(); ++i) {
        if (IsLeadByte(static_cast<unsigned char>(filter[i]))) {
            ++i;
        } else if (filter[i] == '|') {
            filter[i] = '\0';
        }
    }
    return filter;
}

}  // namespace app
