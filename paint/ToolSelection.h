#pragma once

#include <cstdint>
#include <functional>
#include <memory>

namespace app {

class Core;
class Image;
class ToolBase;
struct ToolEvent;

// A new tool for a tool number: "Paint" (0), "Erase" (1), "Blur" (2); none for other numbers.
std::unique_ptr<ToolBase> CreateTool(int32_t number);

// Replaces the current tool by a new one of that number and tells the windows (the tool-changed
// handler).  Raises code 6 while the current tool is busy; another number changes nothing.
void SelectTool(int32_t number);
// The number of the current tool (0 "Paint", 1 "Erase", 2 "Blur").
int32_t CurrentToolNumber() noexcept;
// The current tool, or null before the first SelectTool and after DestroyCurrentTool.
ToolBase* CurrentTool() noexcept;
// Ends the current tool at the end of a filter run.
void DestroyCurrentTool() noexcept;

// Hands an event to the current tool; if an error leaves the tool's handling, the tool gets the
// same event as a cancel before the error goes on.
void DispatchToolEvent(ToolEvent& event);
// Whether the current tool wants the mouse capture; asked by the view after every dispatch.
bool CurrentToolIsCapturing() noexcept;

// The tool change command: ends any stroke (a cancel at (0, 0)), selects the tool, removes every
// particle and sets the engine's drawing mode to the number, then asks for fresh command states.
// Also done when the tool is already the current one.
void ChangeTool(int32_t number, Core& engine, Image* image);

// Where the windows hear of tool changes (the frame, the view and the panels receive
// WM_TOOLCHANGED with the number) and of command states to refresh (WM_UPDATECOMMANDS to the
// frame).  Empty handlers: nobody is told.
void SetToolChangedHandler(std::function<void(int32_t number)> handler);
void SetUpdateCommandsHandler(std::function<void()> handler);

}  // namespace app
