#include "paint/ToolSelection.h"

#include <string>

#include "base/Exception.h"
#include "engine/Core.h"
#include "engine/SPRAYSTYLE.h"
#include "paint/ToolBase.h"
#include "paint/ToolBlur.h"
#include "paint/ToolCanceler.h"
#include "paint/ToolErase.h"
#include "paint/ToolEvent.h"
#include "paint/ToolPaint.h"
#include "paint/ToolTable.h"

namespace app {

namespace {

struct CurrentToolState {
    std::unique_ptr<ToolBase> tool;
    int32_t number = ToolNumberPaint;
    std::function<void(int32_t)> toolChanged;
    std::function<void()> updateCommands;
};

CurrentToolState& State() {
    static CurrentToolState state;
    return state;
}

int32_t QueryCurrentTool() {
    return CurrentToolNumber();
}

// The spray styles' "current tool" is this one from the start.
const bool g_queryInstalled = (SetCurrentToolQuery(QueryCurrentTool), true);

}  // namespace

std::unique_ptr<ToolBase> CreateTool(int32_t number) {
    switch (number) {
        case ToolNumberPaint:
            return std::make_unique<ToolPaint>();
        case ToolNumberErase:
            return std::make_unique<ToolErase>();
        case ToolNumberBlur:
            return std::make_unique<ToolBlur>();
        default:
            return nullptr;
    }
}

void SelectTool(int32_t number) {
    CurrentToolState& s = State();
    if (s.tool && s.tool->IsBusy())
        throw Exception(ErrorToolBusy);
    if (!IsToolNumber(number))
        return;
    s.tool.reset();
    s.tool = CreateTool(number);
    s.number = number;
    SetCurrentToolQuery(QueryCurrentTool);
    if (s.toolChanged)
        s.toolChanged(number);
}

int32_t CurrentToolNumber() noexcept {
    return State().number;
}

ToolBase* CurrentTool() noexcept {
    return State().tool.get();
}

void DestroyCurrentTool() noexcept {
    State().tool.reset();
}

void DispatchToolEvent(ToolEvent& event) {
    ToolBase* tool = CurrentTool();
    if (!tool)
        return;
    const ToolCanceler guard(tool, event);
    tool->OnEvent(event);
}

bool CurrentToolIsCapturing() noexcept {
    const ToolBase* tool = CurrentTool();
    return tool && tool->IsCapturing();
}

void ChangeTool(int32_t number, Core& engine, Image* image) {
    if (!IsToolNumber(number))
        return;
    ToolEvent cancel = {0, 0, image, &engine, ToolEventCancel, 0};
    DispatchToolEvent(cancel);
    SelectTool(number);
    engine.SetMode(number);
    if (State().updateCommands)
        State().updateCommands();
}

void SetToolChangedHandler(std::function<void(int32_t number)> handler) {
    State().toolChanged = std::move(handler);
}

void SetUpdateCommandsHandler(std::function<void()> handler) {
    State().updateCommands = std::move(handler);
}

}  // namespace app
