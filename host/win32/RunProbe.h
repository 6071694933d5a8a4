#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>

namespace app {

// Watches a filter run from inside its message loop.  Tests drive a run through it, and the
// environment variable DRIFTLACE_AUTOCLOSE_TURNS installs one that closes the frame by itself
// (for scripted runs of the real plug-in); without either, nothing watches.
class RunProbe {
  public:
    virtual ~RunProbe() = default;
    // After every pass of the idle routine.  `working` is its result: false means the loop
    // now waits for the next message, so whatever the probe posts is what comes next.
    // `turnsRun` counts the turns of the run so far.
    virtual void AfterIdle(HWND frame, bool working, int32_t turnsRun) = 0;
};

// The probe of the next runs; null removes it.  Returns the previous one.
RunProbe* SetRunProbe(RunProbe* probe) noexcept;
RunProbe* InstalledRunProbe() noexcept;
// A fresh automatic close for one run when DRIFTLACE_AUTOCLOSE_TURNS is set, else null.
std::unique_ptr<RunProbe> CreateAutoCloseProbe();

}  // namespace app
