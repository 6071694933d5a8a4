#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace tools {

// Plays the user of a filter run from a second thread: while the run's own thread is inside
// FilterProc, the script finds the run's windows (by the controls they hold, so that no text
// need be compared) and gives them mouse, keyboard and button input.  Used by the plug-in's
// end-to-end tests and by the screenshot tool.
class RunDriver {
  public:
    using Script = std::function<void(RunDriver&)>;

    // Starts `script` on its own thread; it begins once the frame of a run on this thread exists.
    void Start(Script script);
    // After FilterProc has returned: waits for the script's thread.
    void Join();

    // The frame of the run, once it exists (null when none appears within the wait).
    HWND Frame();
    // A visible top-level window of the run that holds a control with this id, or null.
    HWND WindowWith(int controlId, int waitMs = 5000);
    // A message box of the run (owned by `owner`), or null.
    HWND MessageBoxOf(HWND owner, int waitMs = 5000);
    // Waits until `done` holds; false when it never did.
    static bool WaitUntil(const std::function<bool()>& done, int waitMs = 5000);

    // Press at `from`, move to `to`, release: client coordinates of the control.
    static void Drag(HWND control, POINT from, POINT to);
    static void Click(HWND control, POINT at);
    // A left-button stroke through `points` (client coordinates of the view) as a hand paints it,
    // `stepMs` from one point to the next: the cursor itself moves, since every turn sprays where
    // the cursor is.
    static void HandStroke(HWND view, const std::vector<POINT>& points, int stepMs);
    static void PressButton(HWND button);
    // A key as the keyboard gives it to a window; system keys (F10, with Alt) as such.
    static void Key(HWND window, UINT key, bool system = false);
    static void Command(HWND frame, int id);
    static std::string Text(HWND window);
    static void SetText(HWND window, const std::string& text);

    // The window as it stands on the screen, as rows of blue, green, red bytes.
    struct SNAPSHOT {
        int32_t width = 0;
        int32_t height = 0;
        std::string bgr;
    };
    static SNAPSHOT Capture(HWND window);

  private:
    DWORD runThread_ = 0;
    std::thread thread_;
};

}  // namespace tools
