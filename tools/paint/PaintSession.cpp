#include "tools/paint/PaintSession.h"

#include <chrono>

#include "engine/Core.h"
#include "engine/SPRAYSTYLE.h"
#include "history/History.h"
#include "history/HistoryItem.h"
#include "host/Options.h"
#include "host/TurnState.h"
#include "paint/ToolEvent.h"
#include "paint/ToolSelection.h"
#include "resources/ResourceIds.h"
#include "settings/PresetCatalogue.h"
#include "tools/paint/ScriptError.h"
#include "tools/paint/ScriptReader.h"
#include "tools/paint/SettingChange.h"
#include "tools/paint/TextCodePage.h"

namespace tools {

PaintSession::PaintSession(const app::PresetCatalogue* catalogue) : catalogue_(catalogue), view_(document_, *this) {}

PaintSession::~PaintSession() = default;

void PaintSession::Start() {
    document_.Load();
    view_.InitialUpdate();
}

void PaintSession::Finish() {
    // The figures count the step still being recorded.
    document_.FinishStep();
    view_.Closing();
}

int32_t PaintSession::HistorySteps() {
    return document_.GetHistory().StepCount();
}

int64_t PaintSession::HistoryBytes() {
    const app::History& history = document_.GetHistory();
    int64_t bytes = 0;
    for (int32_t step = 0; step < history.StepCount(); ++step) {
        const app::HistoryRecord& record = history.Step(step);
        for (int32_t i = 0; i < record.Size(); ++i) {
            const app::HistoryItem& item = record.At(i);
            bytes += item.Header().Size();
            for (int32_t c = 0; c < item.Chunks().Size(); ++c)
                bytes += item.Chunks().At(c).Size();
        }
    }
    return bytes;
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
    if (view_.Turns().AnyStopReason()) {
        if (document_.IsRecordingStep())
            RecordStepPiece();
        return;
    }
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
    double& slowest = recorded ? stats_.slowestStepTurnMs : stats_.slowestPlainTurnMs;
    if (ms > slowest)
        slowest = ms;
    const int32_t live = document_.Engine().ParticleCount();
    if (live > stats_.peakParticles)
        stats_.peakParticles = live;
}

void PaintSession::RecordStepPiece() {
    const auto begin = std::chrono::steady_clock::now();
    view_.OnIdle(tick_);
    const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - begin).count();
    stats_.stepPiecesMs += ms;
    if (ms > stats_.slowestStepPieceMs)
        stats_.slowestStepPieceMs = ms;
}

void PaintSession::RunIdle(const ScriptCommand& command) {
    // What would keep the particles from ever resting is refused before the first turn.
    if (app::CurrentToolIsCapturing())
        throw ScriptError(command.line, "idle while the button is held: the stroke goes on emitting (up first)");
    const int64_t toRedraw = int64_t{app::GetOptions().displayingInterval} - int64_t{view_.Turns().TurnsSinceDisplay()};
    if (!view_.Turns().IsSet(app::StopIdle) && toRedraw > kMostTurns) {
        throw ScriptError(command.line, "the history step closes only on a redraw, which DisplayingInterval puts " +
                                            std::to_string(toRedraw) + " turns away; idle waits at most " +
                                            std::to_string(kMostTurns));
    }
    for (int64_t turns = 0; !view_.Turns().IsSet(app::StopIdle); ++turns) {
        if (turns == kMostTurns)
            throw ScriptError(command.line,
                              "the particles did not come to rest in " + std::to_string(kMostTurns) + " turns");
        if (view_.Turns().AnyStopReason())
            throw ScriptError(command.line, "turns are stopped (paused?) while particles are alive");
        IdlePass();
    }
    // The step closes a piece per idle pass.
    while (document_.IsRecordingStep())
        IdlePass();
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
    const auto begin = std::chrono::steady_clock::now();
    view_.Execute(id);
    const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - begin).count();
    double* slowest = id == IDM_UNDO ? &stats_.slowestUndoMs : id == IDM_REDO ? &stats_.slowestRedoMs : nullptr;
    if (slowest && ms > *slowest)
        *slowest = ms;
    // The next command comes once the idle passes have closed a step that the command began
    // while the turns rest (clear all).
    while (document_.IsRecordingStep() && view_.Turns().AnyStopReason())
        RecordStepPiece();
}

void PaintSession::ChangeSetting(const ScriptCommand& command) {
    tools::ChangeSetting(command);
    if (command.verb == Verb::Option)
        view_.OptionsChanged();
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
