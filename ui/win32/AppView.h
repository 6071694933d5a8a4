#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>

#include "ui/ViewPort.h"
#include "ui/win32/Window.h"

namespace app {

class AppDoc;
class AppViewMember;
class Command;
class DC;
class ViewSession;

// The child window of the frame that shows the document image at a zoom over the chosen
// background, turns mouse and keys into tool events in image coordinates, runs the turns at
// idle time and executes the view's commands.  The rules that need no window live in its
// ViewSession; this class adds the window around them.
class AppView : public Window, private ViewPort {
  public:
    AppView();
    ~AppView() override;

    // Creates the view window in the frame, takes the host image into the document and runs
    // the initial update.  Raises error 5 when the window cannot be created.
    void Create(HWND frame);

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // From now on no turn runs; then detaches.
    void OnDestroy() override;
    void OnCommand(int id, int code, HWND control) override;

    // The content size from the image at the current zoom, the engine in the current tool's
    // mode, the caption; then turns may run.
    void OnInitialUpdate();
    // The idle routine's question: whether idle work is still wanted.
    bool OnIdle();
    void OnUpdateCommand(int id, Command* target);
    void OnSize();
    // The frame is closing: no more turns, and the picture goes back to the host.
    void OnClose();
    void UpdateCaption();

    void SetZoom(int32_t zoom);
    int32_t Zoom() const noexcept;
    AppDoc& Document() noexcept;
    ViewSession& Session() noexcept;
    // Turns run since the window was created (the automatic close and tests count them).
    int32_t TurnsRun() const noexcept;

  private:
    bool CanTurn() override;
    void Redraw() override;
    void RedrawImageArea(const Rect32& pixels) override;
    void UpdateCommands() override;
    Vector2 CursorInImage() override;

    void OnPaint();
    void OnCaptureChanged(HWND newOwner);
    void DeliverMouseEvent(int32_t code, LPARAM lParam);
    void DeliverAtCursor(int32_t code, int32_t value);
    void DeliverToolEvent(int32_t code, Vector2 at, int32_t value);
    void FollowToolCapture();
    void SetBackground(int32_t background);
    void SetContentSize();
    // Draws the part of the view inside `clip` (content coordinates), sampled as the whole
    // visible area is.
    void DrawImagePart(DC& context, const Rect32& clip);
    // The visible area in content coordinates.
    Rect32 VisibleContent();

    std::unique_ptr<AppViewMember> m_;
};

}  // namespace app
