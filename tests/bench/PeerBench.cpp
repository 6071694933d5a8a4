// The drawing pass against a mainstream brush engine, in one run: the same 10,000 marks at the
// same positions, laid once per turn by the drawing pass (with one thread and with two) and by
// libmypaint's dab (radius 4 px, hardness 0.5, opaque 0.8, one atomic block per turn, on its
// fixed tiled surface; its own threads as OMP_NUM_THREADS says), into a 1000 x 1000 and an
// 8000 x 8000 image.  Times are wall-clock times.  libmypaint is a dependency of this benchmark
// only.
#include <benchmark/benchmark.h>

#include <random>
#include <vector>

extern "C" {
#include <mypaint-fixed-tiled-surface.h>
#include <mypaint-surface.h>
}

#include "base/Image.h"
#include "engine/Core.h"
#include "engine/CoreMember.h"
#include "engine/SPRAYSTYLE.h"
#include "paint/COLORSETTING.h"
#include "paint/DrawingPass.h"

namespace {

constexpr int32_t kMarks = 10000;
constexpr int32_t kArea = 1000;  // the marks lie over the top-left 1000 x 1000 pixels
constexpr float kRadius = 4.0f;
constexpr float kHardness = 0.5f;
constexpr float kOpaque = 0.8f;

// Where the marks land, in image pixels: random particle positions, as the grid keeps them.
struct Marks {
    std::vector<float> x, y;
};

// The particles in the engine's own grid; `marks` receives where each one stands.
struct Scene {
    app::DrawingPass drawing;
    app::Core engine;
    app::Image image;

    Scene(int32_t size, Marks& marks, int32_t threads = 1) {
        engine.SetThreadCount(threads);
        engine.SetSize(size, size);
        drawing.Build(size, threads);
        engine.Init();
        app::CoreMember& m = engine.Members();
        image.Create(size, size, 4);
        image.Clear();
        m.image = &image;
        app::SPRAYSTYLE style;
        style.Color[0] = app::ColorWord(255, 64, 0, 204);  // opacity 0.8, as the peer's dabs
        style.useFore = true;
        const int32_t info = m.infoList.Acquire(style);
        std::mt19937 random(1);
        std::uniform_real_distribution<double> position(0, kArea);
        for (int32_t n = 0; n < kMarks;) {
            const double X = (position(random) + m.offsetX) / 16, Y = (position(random) + m.offsetY) / 16;
            const int32_t j = static_cast<int32_t>(X), i = static_cast<int32_t>(Y);
            if (m.CellAt(j, i).count == app::kCellCapacity)
                continue;
            app::PARTICLE& p = m.Place(j, i);
            p = app::PARTICLE{};
            p.fx = static_cast<uint16_t>((X - j) * 32768);
            p.fy = static_cast<uint16_t>((Y - i) * 32768);
            p.info = info;
            m.infoList.AddRef(info);
            marks.x.push_back(static_cast<float>((j + p.fx / 32768.0) * 16 - m.offsetX));
            marks.y.push_back(static_cast<float>((i + p.fy / 32768.0) * 16 - m.offsetY));
            ++n;
        }
        m.infoList.Release(info);
    }
};

void PerMark(benchmark::State& state) {
    state.counters["ns/mark"] = benchmark::Counter(
        static_cast<double>(kMarks), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void DrawingPass(benchmark::State& state, int32_t size) {
    Marks marks;
    Scene scene(size, marks, static_cast<int32_t>(state.range(0)));
    for (auto _ : state) {
        scene.drawing.Draw(scene.engine.Grid());
        benchmark::ClobberMemory();
    }
    PerMark(state);
}

void MyPaintDabs(benchmark::State& state, int32_t size) {
    Marks marks;
    {
        Scene scene(size, marks);  // only for the positions
    }
    MyPaintFixedTiledSurface* fixed = mypaint_fixed_tiled_surface_new(size, size);
    if (!fixed) {
        state.SkipWithError("libmypaint could not make the surface");
        return;
    }
    MyPaintSurface* surface = mypaint_fixed_tiled_surface_interface(fixed);
    for (auto _ : state) {
        mypaint_surface_begin_atomic(surface);
        for (size_t n = 0; n < marks.x.size(); ++n) {
            mypaint_surface_draw_dab(surface, marks.x[n], marks.y[n], kRadius, 1.0f, 0.25f, 0.0f, kOpaque, kHardness,
                                     1.0f, 1.0f, 0.0f, 0.0f, 0.0f);
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
