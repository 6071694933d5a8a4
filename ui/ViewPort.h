#pragma once

#include "base/Geometry.h"

namespace app {

// The window side of a view, as the view's portable session sees it.  The plug-in's view
// implements it with its window; the headless painter without one.
class ViewPort {
  public:
    virtual ~ViewPort() = default;
    // The view window exists, is enabled and is shown.
    virtual bool CanTurn() = 0;
    // Shows the visible part of the image as it is now.
    virtual void Redraw() = 0;
    // Shows again what is visible of a rectangle of image pixels that changed.
    virtual void RedrawImageArea(const Rect32& pixels) = 0;
    // Asks the frame to refresh menus, tool bar and panels.
    virtual void UpdateCommands() = 0;
    // Where the cursor is, in image pixels, for the turn event.
    virtual Vector2 CursorInImage() = 0;
};

}  // namespace app
