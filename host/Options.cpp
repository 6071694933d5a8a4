#include "host/Options.h"

#include <algorithm>

namespace app {

namespace {

OPTIONS g_options = kDefaultOptions;

}  // namespace

OPTIONS GetOptions(OPTIONS* copy) {
    if (copy)
        *copy = g_options;
    return g_options;
}

void SetOptions(const OPTIONS& options) {
    g_options = options;
}

void ClampLoadedOptions(OPTIONS& options) noexcept {
    options.turnInterval = std::max(options.turnInterval, 1);
    options.displayingInterval = std::max(options.displayingInterval, 1);
    options.historyMax = std::max(options.historyMax, 0);
}

}  // namespace app
