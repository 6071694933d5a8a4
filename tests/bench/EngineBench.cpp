#include <benchmark/benchmark.h>

#include <cmath>

#include "engine/Core.h"
#include "engine/Random.h"
#include "engine/SPRAYSTYLE.h"
#include "engine/WORLD_SETTINGS.h"

namespace {

constexpr int32_t kWidth = 1920;
constexpr int32_t kHeight = 1080;

// Spreads `count` particles of one snapshot evenly at random over a picture of the given size.
void Populate(app::Core& core, int32_t info, int64_t count, int32_t width = kWidth, int32_t height = kHeight) {
    app::SPAWN_REQUEST request = {};
    request.info = info;
    request.generations = 3;
    for (int64_t n = 0; n < count; ++n) {
        request.position = {app::RandomUnit() * (width - 1), app::RandomUnit() * (height - 1)};
        request.velocity = {(app::RandomUnit() - 0.5) * 0.1, (app::RandomUnit() - 0.5) * 0.1};
        core.Emit(request);
    }
}

void RunTurns(benchmark::State& state, int32_t width, int32_t height) {
    app::SetWorldSettings(app::WORLD_SETTINGS());
    app::Core core;
    core.SetThreadCount(static_cast<int32_t>(state.range(1)));
    core.SetSize(width, height);
    core.Init();
    app::SPRAYSTYLE style;
    style.Validate();
    style.ToEngineUnits();
    const int32_t info = core.AcquireStyle(style);
    const int64_t wanted = state.range(0);
    int32_t turn = 0;
    for (auto _ : state) {
        if (turn % style.Life == 0) {
            state.PauseTiming();
            core.EraseAll();
            Populate(core, info, wanted, width, height);
            state.ResumeTiming();
        }
        core.Step();
        ++turn;
    }
    state.counters["particles"] = benchmark::Counter(static_cast<double>(core.ParticleCount()));
    state.counters["per_particle"] = benchmark::Counter(
        static_cast<double>(wanted), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    core.ReleaseStyle(info);
}

// One turn without drawing (force pass with velocity updates, motion pass, grid exchange) for
// particles of the default style over a full-HD picture, with the work shared among 1 and 2
// threads (the second argument).  The population is sown again, untimed, before its life of 20
// turns runs out, so every timed turn sees about the same number.  Times are wall-clock times.
void BM_StepWithoutDrawing(benchmark::State& state) {
    RunTurns(state, kWidth, kHeight);
}

// The same at the density of 50,000 particles over full HD, on a picture that grows with the
// population: the cost per particle should then stay flat.
void BM_StepAtFixedDensity(benchmark::State& state) {
    const double scale = std::sqrt(static_cast<double>(state.range(0)) / 50000.0);
    RunTurns(state, static_cast<int32_t>(kWidth * scale), static_cast<int32_t>(kHeight * scale));
}

BENCHMARK(BM_StepWithoutDrawing)
    ->ArgsProduct({{1000, 10000, 50000}, {1, 2}})
    ->UseRealTime()
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_StepAtFixedDensity)
    ->ArgsProduct({{1000, 10000, 50000, 200000}, {1, 2}})
    ->UseRealTime()
    ->Unit(benchmark::kMicrosecond);

}  // namespace
