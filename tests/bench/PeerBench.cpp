// The drawing pass against a mainstream brush engine, in one run: the same 10,000 marks at the
// same positions, laid once per turn by the drawing pass (with one thread and with two) and by
// libmypaint's dab (radius 4 px, hardness 0.5, opaque 0.8, one atomic block per turn, on its
// fixed tiled surface; its own threads as OMP_NUM_THREADS says), into a 1000 x 1000 and an
// 8000 x 8000 image.  Times are wall-clock times.  libmypaint is a dependency of this benchmark
// only.
#include <benchmark/benchmark.h>

#include <vector>

extern "C" {
#include <mypaint-fixed-tiled-surface.h>
#include <mypaint-surface.h>
}

#include "paint/COLORSETTING.h"
#include "tests/bench/MarkScene.h"

namespace {

constexpr int32_t kMarks = 10000;
constexpr int32_t kArea = 1000;  // the marks lie over the top-left 1000 x 1000 pixels
constexpr float kRadius = 4.0f;
constexpr float kHardness = 0.5f;
constexpr float kOpaque = 0.8f;

const uint32_t kColour = app::ColorWord(255, 64, 0, 204);  // opacity 0.8, as the peer's dabs

void PerMark(benchmark::State& state) {
    state.counters["ns/mark"] = benchmark::Counter(
        static_cast<double>(kMarks), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void DrawingPass(benchmark::State& state, int32_t size) {
    bench::MarkScene scene(size, kArea, kMarks, kColour, 0, static_cast<int32_t>(state.range(0)));
    for (auto _ : state) {
        scene.drawing.Draw(scene.engine.Grid());
        benchmark::ClobberMemory();
    }
    PerMark(state);
}

void MyPaintDabs(benchmark::State& state, int32_t size) {
    std::vector<float> x, y;
    {
        const bench::MarkScene scene(size, kArea, kMarks, kColour);  // only for the positions
        x = scene.x;
        y = scene.y;
    }
    MyPaintFixedTiledSurface* fixed = mypaint_fixed_tiled_surface_new(size, size);
    if (!fixed) {
        state.SkipWithError("libmypaint could not make the surface");
        return;
    }
    MyPaintSurface* surface = mypaint_fixed_tiled_surface_interface(fixed);
    for (auto _ : state) {
        mypaint_surface_begin_atomic(surface);
        for (size_t n = 0; n < x.size(); ++n) {
            mypaint_surface_draw_dab(surface, x[n], y[n], kRadius, 1.0f, 0.25f, 0.0f, kOpaque, kHardness, 1.0f, 1.0f,
                                     0.0f, 0.0f, 0.0f);
        }
        MyPaintRectangle changed;
        mypaint_surface_end_atomic(surface, &changed);
        benchmark::ClobberMemory();
    }
    mypaint_surface_unref(surface);
    PerMark(state);
}

// The argument of the drawing pass is its number of threads.
BENCHMARK_CAPTURE(DrawingPass, Image1000, 1000)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK_CAPTURE(MyPaintDabs, Image1000, 1000)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK_CAPTURE(DrawingPass, Image8000, 8000)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK_CAPTURE(MyPaintDabs, Image8000, 8000)->Unit(benchmark::kMicrosecond)->UseRealTime();

}  // namespace
