#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>

#include "base/ImageSize.h"
#include "ui/ViewGeometry.h"

namespace app {

class ViewScrollBarsMember;

// The view's two scroll bars over its content (the scaled image with its margins): fitting
// them to the client area, the requests of the bars themselves and of the mouse wheel, and the
// scroll offset they give.  `window` is the view's window in every call.
class ViewScrollBars {
  public:
    ViewScrollBars();
    ~ViewScrollBars();
    ViewScrollBars(const ViewScrollBars&) = delete;
    ViewScrollBars& operator=(const ViewScrollBars&) = delete;

    // A new content size: both bars go back to position 0 and are fitted again.
    void SetContent(HWND window, ImageSize content);
    // Page and range after a change of the client size, the position kept inside them.
    void Fit(HWND window);
    // The scroll offset in each direction: the bar's position while the content does not fit.
    Point32 Offsets(HWND window) const;

    // WM_HSCROLL / WM_VSCROLL on `bar` (SB_HORZ, SB_VERT); `thumb` is the 16-bit position.
    void OnScroll(HWND window, int bar, int code, int thumb);
    // WM_MOUSEWHEEL (or WM_MOUSEHWHEEL when `sideways`) with its rotation and key state.
    void OnWheel(HWND window, bool sideways, int delta, int keys);

  private:
    // Moves the bar to `target` and the picture with it, at once.
    void ScrollTo(HWND window, int bar, int32_t target);

    std::unique_ptr<ViewScrollBarsMember> m_;
};

}  // namespace app
