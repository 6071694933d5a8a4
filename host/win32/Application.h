#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>

namespace app {

class AppFrame;
class ApplicationMember;

// One filter run's objects from start to end: the settings loaded at the start and saved at
// the end, the disabled host window, and the frame with its view and document.  Destroying the
// object tears the run down.
class Application {
  public:
    Application();
    // The current tool goes, the host window is enabled again, the frame is deleted.
    ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    // Loads the settings, disables the host window and builds the windows over the host image.
    void Start(HWND hostWindow);
    // Saves the settings in the order they were loaded.
    void End();

    AppFrame* Frame() const noexcept;
    // The frame window, or null once it is gone.
    HWND FrameWindow() const noexcept;
    void DestroyFrameWindow() noexcept;

    // The loop's idle routine: whether idle work is still wanted.
    bool OnIdle();
    int32_t TurnsRun() const noexcept;

  private:
    std::unique_ptr<ApplicationMember> m_;
};

}  // namespace app
