#include "tools/paint/SettingChange.h"

#include <cstdio>
#include <string>

#include "engine/SPRAYSTYLE.h"
#include "engine/WORLD_SETTINGS.h"
#include "host/Options.h"
#include "paint/ColorSettings.h"
#include "paint/ToolSelection.h"
#include "paint/ToolTable.h"
#include "settings/SprayFields.h"
#include "tools/paint/ScriptError.h"
#include "tools/paint/ScriptReader.h"

namespace tools {
namespace {

[[noreturn]] void NoSuchSetting(const ScriptCommand& command) {
    throw ScriptError(command.line, "no setting \"" + command.key + "\" here");
}

void ChangeStyle(const ScriptCommand& command) {
    const int32_t tool = app::CurrentToolNumber();
    app::SPRAYSTYLE style = app::GetSprayStyle(tool);
    double app::Vector2::*component = nullptr;
    const app::SPRAYFIELD* field = app::FindSprayField(command.key, &component);
    if (!field)
        NoSuchSetting(command);
    if (field->real)
        style.*field->real = ParseNumber(command.value, command.line);
    else if (field->integer)
        style.*field->integer = ParseInt32(command.value, command.line);
    else if (field->flag)
        style.*field->flag = ParseInt32(command.value, command.line) != 0;
    else
        (style.*field->pair).*component = ParseNumber(command.value, command.line);
    app::SetSprayStyle(tool, style);
}

// "Color<j>_<k>": byte k of colour j, where the tool keeps that byte.
bool ChangeColorByte(const ScriptCommand& command, const app::TOOLINFO& tool, app::COLORSETTING& setting) {
    for (int32_t j = 0; j < 2; ++j) {
        for (int32_t k = 0; k < 4; ++k) {
            char key[32];
            std::snprintf(key, sizeof key, "Color%d_%d", j, k);
            if (command.key != key || !(k < 3 ? tool.hasColor : tool.hasLevel))
                continue;
            const int32_t value = ParseInt32(command.value, command.line);
            if (value < 0 || value > 255)
                throw ScriptError(command.line, "a colour byte is 0 ... 255: " + command.value);
            setting.Color[j] = (setting.Color[j] & ~(0xFFu << (8 * k))) | static_cast<uint32_t>(value) << (8 * k);
            return true;
        }
    }
    return false;
}

void ChangeColorRule(const ScriptCommand& command, app::COLORSETTING& setting) {
    if (command.key == "useFore")
        setting.useFore = ParseInt32(command.value, command.line) != 0;
    else if (command.key == "Coloring")
        setting.Coloring = ParseInt32(command.value, command.line);
    else if (command.key == "CycleLength")
        setting.CycleLength = ParseInt32(command.value, command.line);
    else
        NoSuchSetting(command);
}

void ChangeColor(const ScriptCommand& command) {
    const int32_t tool = app::CurrentToolNumber();
    app::COLORSETTING setting = app::GetColorSetting(tool);
    if (!ChangeColorByte(command, app::ToolInfo(tool), setting))
        ChangeColorRule(command, setting);
    app::SetColorSetting(setting, tool);
}

void ChangeWorld(const ScriptCommand& command) {
    app::WORLD_SETTINGS world = app::GetWorldSettings();
    if (command.key == "GravityType")
        world.GravityType = ParseInt32(command.value, command.line);
    else if (command.key == "GravityX")
        world.GravityX = ParseNumber(command.value, command.line);
    else if (command.key == "GravityY")
        world.GravityY = ParseNumber(command.value, command.line);
    else if (command.key == "Lively")
        world.Lively = ParseNumber(command.value, command.line);
    else
        NoSuchSetting(command);
    app::SetWorldSettings(world);
}

void ChangeOption(const ScriptCommand& command) {
    app::OPTIONS options = app::GetOptions();
    int32_t* value = command.key == "TurnInterval"         ? &options.turnInterval
                     : command.key == "DisplayingInterval" ? &options.displayingInterval
                     : command.key == "HistoryMax"         ? &options.historyMax
                                                           : nullptr;
    if (!value)
        NoSuchSetting(command);
    *value = ParseInt32(command.value, command.line);
    app::ClampLoadedOptions(options);
    app::SetOptions(options);
}

}  // namespace

void ChangeSetting(const ScriptCommand& command) {
    switch (command.verb) {
        case Verb::Style:
            return ChangeStyle(command);
        case Verb::Color:
            return ChangeColor(command);
        case Verb::World:
            return ChangeWorld(command);
        case Verb::Option:
            return ChangeOption(command);
        default:
            return;
    }
}

}  // namespace tools
