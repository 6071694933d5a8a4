#include "tools/substitute-host/AnswerProbe.h"

#include <windows.h>

#include <commctrl.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <thread>
#include <vector>

#include "resources/ResourceIds.h"
#include "tools/common/RunDriver.h"

namespace tools {

namespace {

constexpr int kToolbarId = 1000;
constexpr int kPingMs = 10;
constexpr long long kSlowMs = 100;  // answers slower than this are listed as they come
constexpr int kStrokeSteps = 20;
constexpr int kStepMs = 30;
constexpr int kRestMs = 1500;    // after the step has come, the frame goes on being watched
constexpr int kWaitMs = 120000;  // for a step on a loaded machine

// The start is the frame's first answer, while the run still sets itself up.
const char* const kPhases[] = {"start", "stroke", "step", "undo", "redo"};
constexpr int kPhaseCount = 5;

// The longest answer of each phase, in milliseconds, kept by the pinging thread.
struct ANSWERS {
    std::atomic<int> phase{0};
    std::atomic<bool> done{false};
    std::atomic<int> answered{0};
    std::atomic<long long> longest[kPhaseCount] = {};
};

void Ping(HWND frame, ANSWERS& answers) {
    const auto start = std::chrono::steady_clock::now();
    while (!answers.done) {
        const auto begin = std::chrono::steady_clock::now();
        DWORD_PTR result = 0;
        SendMessageTimeoutA(frame, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &result);
        const long long ms =
            std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - begin).count();
        if (ms > kSlowMs) {
            const auto at = std::chrono::duration_cast<std::chrono::milliseconds>(begin - start).count();
            std::printf("an answer of %lld ms during the %s, %lld ms after the start\n", ms, kPhases[answers.phase],
                        static_cast<long long>(at));
        }
        std::atomic<long long>& longest = answers.longest[answers.phase];
        if (ms > longest)
            longest = ms;
        ++answers.answered;
        Sleep(kPingMs);
    }
}

bool ButtonEnabled(HWND frame, int command) {
    HWND toolbar = GetDlgItem(frame, kToolbarId);
    return SendMessageA(toolbar, TB_ISBUTTONENABLED, command, 0) != 0;
}

// A stroke of about 200 pixels near the picture's top-left corner.
void PaintStroke(HWND view) {
    std::vector<POINT> points;
    for (int i = 0; i <= kStrokeSteps; ++i)
        points.push_back({130 + 200 * i / kStrokeSteps, 190 + 10 * i / kStrokeSteps});
    RunDriver::HandStroke(view, points, kStepMs);
}

}  // namespace

void ProbeAnswers(RunDriver& run) {
    HWND frame = run.Frame();
    HWND view = GetDlgItem(frame, IDC_VIEW);
    ANSWERS answers;
    std::thread pinger(Ping, frame, std::ref(answers));
    RunDriver::WaitUntil([&] { return answers.answered > 0; }, kWaitMs);
    answers.phase = 1;
    PaintStroke(view);
    answers.phase = 2;
    const bool stepped = RunDriver::WaitUntil([&] { return ButtonEnabled(frame, IDM_UNDO); }, kWaitMs);
    Sleep(kRestMs);
    answers.phase = 3;
    RunDriver::Command(frame, IDM_UNDO);
    const bool undone = RunDriver::WaitUntil([&] { return ButtonEnabled(frame, IDM_REDO); }, kWaitMs);
    Sleep(kRestMs);
    answers.phase = 4;
    RunDriver::Command(frame, IDM_REDO);
    const bool redone = RunDriver::WaitUntil([&] { return !ButtonEnabled(frame, IDM_REDO); }, kWaitMs);
    Sleep(kRestMs);
    answers.done = true;
    pinger.join();
    for (int p = 0; p < kPhaseCount; ++p)
        std::printf("longest answer during the %s: %lld ms\n", kPhases[p], answers.longest[p].load());
    if (!stepped || !undone || !redone)
        std::printf("the %s did not come\n", !stepped ? "step" : !undone ? "undo" : "redo");
    std::fflush(stdout);
}

}  // namespace tools
