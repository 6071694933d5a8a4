#include "tools/paint/PaintSession.h"

#include <chrono>
#include <functional>
#include <initializer_list>

#include "engine/Core.h"
#include "engine/SPRAYSTYLE.h"
#include "engine/WORLD_SETTINGS.h"
#include "history/History.h"
#include "host/Options.h"
#include "host/TurnState.h"
#include "paint/ColorSettings.h"
#include "paint/ToolEvent.h"
#include "paint/ToolSelection.h"
#include "resources/ResourceIds.h"
#include "settings/MemorySettingsBackend.h"
#include "settings/PresetCatalogue.h"
#include "settings/Registry.h"
#include "settings/RunSettings.h"
#include "tools/paint/ScriptError.h"
#include "tools/paint/ScriptReader.h"
#include "tools/paint/TextCodePage.h"

namespace tools {
namespace {

constexpr int64_t kMostTurnsToRest = 1000000;

using Exchange = std::function<void(app::Registry&)>;

// Sends settings through the owner's own exchange routine into memory and back, so that one
// stored value can be changed with the key names, limits and defaults of a real load.
void ChangeStoredValue(const Exchange& exchange, const std::string& section, const ScriptCommand& command) {
    auto sections = std::make_shared<app::MemorySettingsBackend::Sections>();
    app::Registry saving;
    saving.Open(std::make_unique<app::MemorySettingsBackend>(sections), false);
    exchange(saving);
    saving.Close();

    auto& values = (*sections)[section];
    const auto found = values.find(command.key);
    if (found == values.end())
        throw ScriptError(command.line, "no setting \"" + command.key + "\" here");
    if (found->second.integer)
        found->second.text = std::to_string(ParseInteger(command.value, command.line));
    else
        ParseNumber(command.value, command.line);
    if (!found->second.integer)
        found->second.text = command.value;

    app::Registry loading;
    loading.Open(std::make_unique<app::MemorySettingsBackend>(sections), true);
    exchange(loading);
    loading.Close();
}

// The values that `world` and `option` may change; their sections hold others too.
void ExpectOneOf(const ScriptCommand& command, std::initializer_list<const char*> keys) {
    for (const char* key : keys)
        if (command.key == key)
            return;
    throw ScriptError(command.line, "no setting \"" + command.key + "\" here");
}

const char* CurrentToolName() {
    return app::ToolName(app::CurrentToolNumber());
}

}  // namespace

PaintSession::PaintSession(const app::PresetCatalogue* catalogue) : catalogue_(catalogue), view_(document_, *this) {}

PaintSession::~PaintSession() = default;

void PaintSession::Start() {
    document_.Load();
    view_.InitialUpdate();
}

void PaintSession::Finish() {
    view_.Closing();
}

int32_t PaintSession::HistorySteps() {
    return document_.GetHistory().StepCount();
}

void PaintSession::Run(const std::vector<ScriptCommand>& commands) {
    for (const ScriptCommand& command : commands)
        RunCommand(command);
}

void PaintSession::RunCommand(const ScriptCommand& command) {
    switch (command.verb) {
        case Verb::Down:
            return ToolEvent(app::ToolEventLeftDown, command);
        case Verb::Move:
            return ToolEvent(app::ToolEventMouseMove, command);
        case Verb::Up:
            return ToolEvent(app::ToolEventLeftUp, command);
        case Verb::Turn:
            for (int64_t i = 0; i < command.count; ++i)
                IdlePass();
            return;
        case Verb::Idle:
            return RunIdle(command);
        case Verb::Tool:
            return ChangeTool(command);
        case Verb::Undo:
            return RunDocumentCommand(IDM_UNDO, "undo", command);
        case Verb::Redo:
            return RunDocumentCommand(IDM_REDO, "redo", command);
        case Verb::Clear:
            return RunDocumentCommand(IDM_CLEAR, "clear", command);
        case Verb::Erase:
            return RunDocumentCommand(IDM_ERASE_PARTICLES, "erase", command);
        case Verb::Pause:
            return RunDocumentCommand(IDM_PAUSE, "pause", command);
        case Verb::Style:
        case Verb::Color:
        case Verb::World:
        case Verb::Option:
            return ChangeSetting(command);
        case Verb::Preset:
            return ApplyPreset(command);
    }
}

void PaintSession::ToolEvent(int32_t code, const ScriptCommand& command) {
    cursor_ = {static_cast<double>(command.x), static_cast<double>(command.y)};
    view_.DeliverToolEvent(code, cursor_.x, cursor_.y);
}

void PaintSession::IdlePass() {
    // Every pass comes a whole turn interval after the one before, as if the clock ran on.
    tick_ += static_cast<uint32_t>(app::GetOptions().turnInterval);
    if (view_.Turns().AnyStopReason())
        return;
    stats_.totalParticles += document_.Engine().ParticleCount();
    // A turn records a history step when its particles come to rest (or the count shows one).
    const int32_t steps = HistorySteps();
    const bool wasAlive = document_.Engine().IsAlive();
    const auto begin = std::chrono::steady_clock::now();
    view_.OnIdle(tick_);
    const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - begin).count();
    ++stats_.turns;
    stats_.totalTurnMs += ms;
    if (ms > stats_.slowestTurnMs)
        stats_.slowestTurnMs = ms;
    const bool recorded = HistorySteps() != steps || (wasAlive && !document_.Engine().IsAlive());
    if (!recorded && ms > stats_.slowestPlainTurnMs)
        stats_.slowestPlainTurnMs = ms;
    const int32_t live = document_.Engine().ParticleCount();
    if (live > stats_.peakParticles)
        stats_.peakParticles = live;
}

void PaintSession::RunIdle(const ScriptCommand& command) {
    for (int64_t turns = 0; !view_.Turns().IsSet(app::StopIdle); ++turns) {
        if (turns == kMostTurnsToRest)
            throw ScriptError(command.line, "the particles did not come to rest");
        if (view_.Turns().AnyStopReason())
            throw ScriptError(command.line, "turns are stopped (paused?) while particles are alive");
        IdlePass();
    }
}

void PaintSession::ChangeTool(const ScriptCommand& command) {
    for (int32_t tool = 0; app::ToolName(tool); ++tool) {
        if (command.key == app::ToolName(tool)) {
            app::ChangeTool(tool, document_.Engine(), &document_.GetImage());
            return;
        }
    }
    throw ScriptError(command.line, "no tool \"" + command.key + "\" (Paint, Erase or Blur)");
}

void PaintSession::RunDocumentCommand(int32_t id, const char* name, const ScriptCommand& command) {
    if (!view_.IsEnabled(id))
        throw ScriptError(command.line, std::string(name) + " is disabled now");
    view_.Execute(id);
}

void PaintSession::ChangeSetting(const ScriptCommand& command) {
    const int32_t tool = app::CurrentToolNumber();
    switch (command.verb) {
        case Verb::Style:
            ChangeStoredValue(app::ExchangeSprayStyles, std::string(CurrentToolName()) + "\\Spray", command);
            app::SetSprayStyle(tool, app::GetSprayStyle(tool));
            break;
        case Verb::Color:
            ChangeStoredValue(app::ExchangeColorSettings, std::string(CurrentToolName()) + "\\Color", command);
            app::SetColorSetting(app::GetColorSetting(tool), tool);
            break;
        case Verb::World:
            ExpectOneOf(command, {"GravityType", "GravityX", "GravityY", "Lively"});
            ChangeStoredValue(app::ExchangeWorldSettings, "", command);
            break;
        case Verb::Option:
            ExpectOneOf(command, {"TurnInterval", "DisplayingInterval", "HistoryMax"});
            ChangeStoredValue(app::ExchangeOptions, "", command);
            view_.OptionsChanged();
            break;
        default:
            break;
    }
}

void PaintSession::ApplyPreset(const ScriptCommand& command) {
    const std::string name = SystemCodePageText(command.key);
    for (int32_t i = 0; catalogue_ && i < catalogue_->Count(); ++i) {
        if (catalogue_->Name(i) == name) {
            app::SetSprayStyle(app::CurrentToolNumber(), catalogue_->Style(i));
            return;
        }
    }
    throw ScriptError(command.line, "no preset \"" + command.key + "\" in the catalogue");
}

}  // namespace tools
