// The drawing pass's cost must follow the particles, not the image: the same 10,000 particles
// are drawn into a 1000 x 1000 and into an 8000 x 8000 image.
#include <benchmark/benchmark.h>

#include <random>

#include "base/Image.h"
#include "engine/Core.h"
#include "engine/CoreMember.h"
#include "engine/SPRAYSTYLE.h"
#include "paint/COLORSETTING.h"
#include "paint/DrawingPass.h"

namespace {

constexpr int32_t kParticles = 10000;

struct Scene {
    app::DrawingPass drawing;
    app::Core engine;
    app::Image image;

    // Particles uniformly over the top-left `area` x `area` pixels of a size x size image, in
    // storage the engine builds itself, so the pass sees the grid a real turn sees.
    Scene(int32_t size, int32_t area, int32_t mode) {
        engine.SetSize(size, size);
        drawing.Build(size);
        engine.Init();
        app::CoreMember& m = engine.Members();
        m.mode = mode;
        image.Create(size, size, 4);
        image.Clear();
        m.image = &image;

        app::SPRAYSTYLE style;
        style.Color[0] = app::ColorWord(255, 64, 0, 255);
        style.useFore = true;
        style.CycleLength = 6;
        const int32_t info = m.infoList.Acquire(style);
        std::mt19937 random(1);
        std::uniform_real_distribution<double> position(0, area);
        for (int32_t n = 0; n < kParticles;) {
            const double X = (position(random) + m.offsetX) / 16, Y = (position(random) + m.offsetY) / 16;
            const int32_t j = static_cast<int32_t>(X), i = static_cast<int32_t>(Y);
            app::CELL& cell = m.CellAt(j, i);
            if (cell.count == app::kCellCapacity)
                continue;
            app::PARTICLE& p = m.Place(j, i);
            p = app::PARTICLE{};
            p.fx = static_cast<uint16_t>((X - j) * 32768);
            p.fy = static_cast<uint16_t>((Y - i) * 32768);
            p.info = info;
            m.infoList.AddRef(info);  // each particle holds one, as emitted ones do
            p.colour = app::ColorWord(0, 128, 255, 255);
            ++n;
        }
        m.infoList.Release(info);  // the particles hold it now
    }
};

void DrawingPass(benchmark::State& state, int32_t size, int32_t area, int32_t mode) {
    Scene scene(size, area, mode);
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
BENCHMARK_CAPTURE(DrawingPass, Blur1000, 1000, 1000, 2)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(DrawingPass, Blur8000, 8000, 1000, 2)->Unit(benchmark::kMicrosecond);
// For comparison: the particles spread over the whole large image, where every mark lands on
// memory of its own.
BENCHMARK_CAPTURE(DrawingPass, Paint8000Spread, 8000, 8000, 0)->Unit(benchmark::kMicrosecond);

}  // namespace
