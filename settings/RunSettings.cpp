#include "settings/RunSettings.h"

#include <cstdio>
#include <memory>

#include "engine/SPRAYSTYLE.h"
#include "engine/WORLD_SETTINGS.h"
#include "host/Options.h"
#include "paint/ColorSettings.h"
#include "paint/ToolSelection.h"
#include "paint/ToolTable.h"
#include "settings/IniFileBackend.h"
#include "settings/MemorySettingsBackend.h"
#include "settings/Registry.h"
#include "settings/SettingsOwner.h"
#include "settings/SprayFields.h"

namespace app {

namespace {

void ExchangeColorBytes(Registry& store, const TOOLINFO& tool, int32_t j, uint32_t& color, uint32_t defaultColor) {
    for (int32_t k = 0; k < 4; ++k) {
        const bool present = k < 3 ? tool.hasColor : tool.hasLevel;
        if (!present)
            continue;
        char key[32];
        std::snprintf(key, sizeof key, "Color%d_%d", j, k);
        uint8_t value = static_cast<uint8_t>(ColorByte(color, k));
        store.ExchangeByte(key, value, static_cast<uint8_t>(ColorByte(defaultColor, k)));
        color = (color & ~(0xFFu << (8 * k))) | uint32_t{value} << (8 * k);
    }
}

}  // namespace

void ExchangeRunSettings(Registry& store, std::initializer_list<SettingsOwner*> owners) {
    ExchangeOptions(store);
    ExchangeSprayStyles(store);
    ExchangeCurrentTool(store);
    ExchangeColorSettings(store);
    ExchangeWorldSettings(store);
    for (SettingsOwner* owner : owners) {
        if (owner)
            owner->ExchangeSettings(store);
    }
}

void LoadRunSettingsFile(const std::string& path) {
    Registry store;
    if (path.empty())
        store.Open(std::make_unique<MemorySettingsBackend>(std::make_shared<MemorySettingsBackend::Sections>()), true);
    else
        store.Open(std::make_unique<IniFileBackend>(path), true);
    ExchangeRunSettings(store);
    store.Close();
}

void SaveRunSettingsFile(const std::string& path) {
    Registry store;
    store.Open(std::make_unique<IniFileBackend>(path), false);
    ExchangeRunSettings(store);
    store.Close();
}

void ExchangeOptions(Registry& store) {
    OPTIONS options = GetOptions();
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

void ExchangeSprayStyle(Registry& store, SPRAYSTYLE& style) {
    const SPRAYSTYLE d;
    for (const SPRAYFIELD& field : kSprayFields) {
        if (field.real)
            store.ExchangeDouble(field.name, style.*field.real, d.*field.real);
        else if (field.integer)
            store.ExchangeInt(field.name, style.*field.integer, d.*field.integer);
        else if (field.flag)
            store.ExchangeBool(field.name, style.*field.flag, d.*field.flag);
        else
            store.ExchangePoint(field.name, style.*field.pair, d.*field.pair);
    }
    if (store.IsLoading())
        style.Validate();
}

void ExchangeSprayStyles(Registry& store) {
    for (int32_t tool = 0; tool < kToolCount; ++tool) {
        const std::string section = std::string(ToolName(tool)) + "\\Spray";
        store.SelectSection(section.c_str());
        SPRAYSTYLE style = GetSprayStyle(tool);
        ExchangeSprayStyle(store, style);
        if (store.IsLoading())
            SetSprayStyle(tool, style);
    }
}

void ExchangeCurrentTool(Registry& store) {
    store.SelectSection(nullptr);
    const std::string current = ToolInfo(CurrentToolNumber()).name;
    std::string name = current;
    store.ExchangeText("Tool", name, current);
    if (!store.IsLoading())
        return;
    int32_t chosen = ToolNumberPaint;
    for (int32_t tool = 0; tool < kToolCount; ++tool) {
        if (name == ToolInfo(tool).name) {
            chosen = tool;
            break;
        }
    }
    SelectTool(chosen);
}

// Loading does not normalise: the colouring rules treat out-of-range values safely.
void ExchangeColorSettings(Registry& store) {
    const COLORSETTING defaults = DefaultColorSetting();
    for (int32_t tool = 0; tool < kToolCount; ++tool) {
        const TOOLINFO& info = ToolInfo(tool);
        COLORSETTING s = GetColorSetting(tool);
        char section[64];
        std::snprintf(section, sizeof section, "%s\\Color", info.name);
        store.SelectSection(section);
        for (int32_t j = 0; j < 2; ++j)
            ExchangeColorBytes(store, info, j, s.Color[j], defaults.Color[j]);
        store.ExchangeBool("useFore", s.useFore, defaults.useFore);
        store.ExchangeInt("Coloring", s.Coloring, defaults.Coloring);
        store.ExchangeInt("CycleLength", s.CycleLength, defaults.CycleLength);
        if (store.IsLoading())
            RestoreColorSetting(s, tool);
    }
    store.SelectSection(nullptr);
}

void ExchangeWorldSettings(Registry& store) {
    const WORLD_SETTINGS d;
    WORLD_SETTINGS world = GetWorldSettings();
    store.SelectSection(nullptr);
    store.ExchangeInt("GravityType", world.GravityType, d.GravityType);
    store.ExchangeDouble("GravityX", world.GravityX, d.GravityX);
    store.ExchangeDouble("GravityY", world.GravityY, d.GravityY);
    store.ExchangeDouble("Lively", world.Lively, d.Lively);
    if (!store.IsLoading())
        return;
    ClampLoadedWorldSettings(world);
    SetWorldSettings(world);
}

}  // namespace app
