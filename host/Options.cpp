#include "host/Options.h"

#include <algorithm>

#include "settings/Registry.h"

namespace app {

namespace {

OPTIONS g_options = kDefaultOptions;

void ClampLoadedOptions(OPTIONS& options) {
    options.turnInterval = std::max(options.turnInterval, 1);
    options.displayingInterval = std::max(options.displayingInterval, 1);
    options.historyMax = std::max(options.historyMax, 0);
}

}  // namespace

OPTIONS GetOptions(OPTIONS* copy) {
    if (copy)
        *copy = g_options;
    return g_options;
}

void SetOptions(const OPTIONS& options) {
    g_options = options;
}

void ExchangeOptions(Registry& store) {
    OPTIONS options = g_options;
    store.SelectSection(nullptr);
    store.ExchangeInt("TurnInterval", options.turnInterval, kDefaultOptions.turnInterval);
    store.ExchangeInt("DisplayingInterval", options.displayingInterval, kDefaultOptions.displayingInterval);
    store.ExchangeInt("ViewMat", options.viewMat, kDefaultOptions.viewMat);
    store.ExchangeInt("HistoryMax", options.historyMax, kDefaultOptions.historyMax);
    if (store.IsLoading()) {
        ClampLoadedOptions(options);
        SetOptions(options);
    }
}

}  // namespace app
