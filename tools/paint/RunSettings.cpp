#include "tools/paint/RunSettings.h"

#include <memory>

#include "engine/SPRAYSTYLE.h"
#include "engine/WORLD_SETTINGS.h"
#include "host/Options.h"
#include "paint/ColorSettings.h"
#include "paint/ToolSelection.h"
#include "settings/IniFileBackend.h"
#include "settings/MemorySettingsBackend.h"
#include "settings/Registry.h"

namespace tools {
namespace {

void ExchangeRunSettings(app::Registry& store) {
    app::ExchangeOptions(store);
    app::ExchangeSprayStyles(store);
    app::ExchangeCurrentTool(store);
    app::ExchangeColorSettings(store);
    app::ExchangeWorldSettings(store);
}

}  // namespace

void LoadRunSettings(const std::string& path) {
    app::Registry store;
    if (path.empty())
        store.Open(
            std::make_unique<app::MemorySettingsBackend>(std::make_shared<app::MemorySettingsBackend::Sections>()),
            true);
    else
        store.Open(std::make_unique<app::IniFileBackend>(path), true);
    ExchangeRunSettings(store);
    store.Close();
}

void SaveRunSettings(const std::string& path) {
    app::Registry store;
    store.Open(std::make_unique<app::IniFileBackend>(path), false);
    ExchangeRunSettings(store);
    store.Close();
}

}  // namespace tools
