#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "paint/AppDoc.h"
#include "tools/paint/ScriptCommand.h"
#include "ui/ViewPort.h"
#include "ui/ViewSession.h"

namespace app {
class PresetCatalogue;
}

namespace tools {

struct PaintStats {
    int64_t turns = 0;
    int32_t peakParticles = 0;
    int64_t totalParticles = 0;  // live at the start of each turn, summed
    double totalTurnMs = 0;
    double slowestTurnMs = 0;
    double slowestPlainTurnMs = 0;  // the slowest turn that recorded no history step
    double slowestStepTurnMs = 0;   // the slowest turn that recorded one
    double slowestStepPieceMs = 0;  // the slowest idle pass that recorded a piece of a step
    double stepPiecesMs = 0;        // all such passes together
    double slowestUndoMs = 0;
    double slowestRedoMs = 0;
};

// A filter run without a window: the document and the view's session over the host image that
// the caller has handed over, driven by script commands instead of messages.  The view is
// always "shown", redraws are free, and the cursor is where the script last put it.
class PaintSession : private app::ViewPort {
  public:
    explicit PaintSession(const app::PresetCatalogue* catalogue);
    ~PaintSession() override;

    // Takes the host image and starts as a filter run does after the view's first update.
    void Start();
    void Run(const std::vector<ScriptCommand>& commands);
    // Gives the picture back to the host, as the closing frame does.
    void Finish();

    const PaintStats& Stats() const { return stats_; }
    const app::AppDoc& Document() const { return document_; }
    int32_t HistorySteps();
    // The bytes the history's steps hold: chunks and headers.
    int64_t HistoryBytes();

  private:
    bool CanTurn() override { return true; }
    void Redraw() override {}
    void RedrawImageArea(const app::Rect32& /*pixels*/) override {}
    void UpdateCommands() override {}
    app::Vector2 CursorInImage() override { return cursor_; }

    void RunCommand(const ScriptCommand& command);
    void ToolEvent(int32_t code, const ScriptCommand& command);
    // One idle pass in which the turn interval has passed.
    void IdlePass();
    void RecordStepPiece();
    void RunIdle(const ScriptCommand& command);
    void ChangeTool(const ScriptCommand& command);
    void RunDocumentCommand(int32_t id, const char* name, const ScriptCommand& command);
    void ChangeSetting(const ScriptCommand& command);
    void ApplyPreset(const ScriptCommand& command);

    const app::PresetCatalogue* catalogue_;
    app::AppDoc document_;
    app::ViewSession view_;
    app::Vector2 cursor_{0, 0};
    uint32_t tick_ = 0;
    PaintStats stats_;
};

}  // namespace tools
