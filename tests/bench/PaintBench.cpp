// The drawing pass's cost must follow the particles, not the image: the same 10,000 particles
// are drawn into a 1000 x 1000 and into an 8000 x 8000 image.  As in the document, the pass marks
// the tiles it changes (the Unmarked case draws without).
#include <benchmark/benchmark.h>

#include "base/ChangedArea.h"
#include "paint/COLORSETTING.h"
#include "tests/bench/MarkScene.h"

namespace {

constexpr int32_t kParticles = 10000;

void DrawingPass(benchmark::State& state, int32_t size, int32_t area, int32_t mode, bool marked = true) {
    bench::MarkScene scene(size, area, kParticles, app::ColorWord(255, 64, 0, 255), mode);
    app::ChangedArea changes;
    changes.Build(size, size);
    if (marked)
        scene.drawing.SetChangedArea(&changes);
    for (auto _ : state) {
        scene.drawing.Draw(scene.engine.Grid());
        benchmark::ClobberMemory();
    }
    state.counters["ns/particle"] = benchmark::Counter(
        static_cast<double>(kParticles), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

// The same particles, over the same 1000 x 1000 pixels of each image.
BENCHMARK_CAPTURE(DrawingPass, Paint1000, 1000, 1000, 0)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(DrawingPass, Paint8000, 8000, 1000, 0)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(DrawingPass, Paint8000Unmarked, 8000, 1000, 0, false)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(DrawingPass, Blur1000, 1000, 1000, 2)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(DrawingPass, Blur8000, 8000, 1000, 2)->Unit(benchmark::kMicrosecond);
// For comparison: the particles spread over the whole large image, where every mark lands on
// memory of its own.
BENCHMARK_CAPTURE(DrawingPass, Paint8000Spread, 8000, 8000, 0)->Unit(benchmark::kMicrosecond);

}  // namespace
