#include "host/win32/RunProbe.h"

#include <cstdlib>

namespace app {

namespace {

RunProbe* g_probe = nullptr;

// DRIFTLACE_AUTOCLOSE_TURNS=N: the first time the run stops turning (nothing left to do but
// wait for input) after at least N turns, the frame is closed as its close box would.  With N
// = 0 that is as soon as the picture is shown and nothing moves.
class AutoClose : public RunProbe {
  public:
    explicit AutoClose(int32_t turns) : turns_(turns) {}

    void AfterIdle(HWND frame, bool working, int32_t turnsRun) override {
        if (working || turnsRun < turns_ || closed_)
            return;
        closed_ = true;
        PostMessageA(frame, WM_CLOSE, 0, 0);
    }

  private:
    int32_t turns_;
    bool closed_ = false;
};

}  // namespace

RunProbe* SetRunProbe(RunProbe* probe) noexcept {
    RunProbe* previous = g_probe;
    g_probe = probe;
    return previous;
}

RunProbe* InstalledRunProbe() noexcept {
    return g_probe;
}

std::unique_ptr<RunProbe> CreateAutoCloseProbe() {
    const char* turns = std::getenv("DRIFTLACE_AUTOCLOSE_TURNS");
    if (!turns || !*turns)
        return nullptr;
    return std::make_unique<AutoClose>(std::atoi(turns));
}

}  // namespace app
