// Recording, undoing and redoing one history step of a large picture of which a small area
// changed, against the plain cost of copying the picture and deflating its difference once.

#include <benchmark/benchmark.h>
#include <zlib.h>

#include <cstring>
#include <random>
#include <vector>

#include "base/Image.h"
#include "history/History.h"
#include "history/HistoryItem.h"
#include "history/ImageStep.h"
#include "host/Options.h"

namespace {

constexpr int32_t kSide = 4000;
constexpr int32_t kChanged = 200;

// The picture and its copy as of the last step, with a noisy square painted over it: noise is
// the worst case for the compressor.
struct Scene {
    Scene() {
        image.Create(kSide, kSide, 4);
        for (int32_t y = 0; y < kSide; ++y) {
            unsigned char* row = image.Row(y);
            for (int32_t x = 0; x < kSide * 4; ++x)
                row[x] = static_cast<unsigned char>((x / 4 + y) & 0xFF);
        }
        previous = image;
    }

    void Paint(uint32_t seed) {
        std::mt19937 random(seed);
        for (int32_t y = 1900; y < 1900 + kChanged; ++y) {
            unsigned char* row = image.Row(y);
            for (int32_t x = 1900 * 4; x < (1900 + kChanged) * 4; ++x)
                row[x] = static_cast<unsigned char>(random());
        }
    }

    app::Image image;
    app::Image previous;
};

int32_t StoredBytes(const app::History& history) {
    const app::HistoryRecord& step = history.Step(history.Position() - 1);
    return step.At(0).Chunks().At(0).Size();
}

void ReportStep(benchmark::State& state, int32_t stored) {
    state.counters["stored_bytes"] = stored;
    state.counters["stored_percent"] = 100.0 * stored / (double(kSide) * kSide * 4);
}

void BM_RecordStep(benchmark::State& state) {
    app::SetOptions(app::kDefaultOptions);
    Scene scene;
    app::History history;
    uint32_t seed = 1;
    int32_t stored = 0;
    for (auto _ : state) {
        state.PauseTiming();
        scene.Paint(seed++);
        state.ResumeTiming();
        if (!app::RecordImageStep(history, scene.image, scene.previous))
            state.SkipWithError("nothing recorded");
        stored = StoredBytes(history);
    }
    ReportStep(state, stored);
}

void BM_Replay(benchmark::State& state, bool undo) {
    app::SetOptions(app::kDefaultOptions);
    Scene scene;
    app::History history;
    scene.Paint(1);
    app::RecordImageStep(history, scene.image, scene.previous);
    const int32_t stored = StoredBytes(history);
    for (auto _ : state) {
        if (!undo) {
            state.PauseTiming();
            app::UndoImageStep(history, scene.image, scene.previous);
            state.ResumeTiming();
        }
        app::ReplayImageStep(history, scene.image.Data(), scene.previous.Data(), scene.image.ByteSize(), undo);
        if (undo) {
            state.PauseTiming();
            app::RedoImageStep(history, scene.image, scene.previous);
            state.ResumeTiming();
        }
    }
    ReportStep(state, stored);
}

void BM_UndoStep(benchmark::State& state) {
    BM_Replay(state, true);
}

void BM_RedoStep(benchmark::State& state) {
    BM_Replay(state, false);
}

// One memcpy of the picture and one deflate call over its whole difference, made beforehand.
void BM_BaselineCopyAndDeflate(benchmark::State& state) {
    Scene scene;
    scene.Paint(1);
    const size_t bytes = static_cast<size_t>(scene.image.ByteSize());
    std::vector<unsigned char> difference(bytes);
    for (size_t i = 0; i < bytes; ++i) {
        difference[i] = static_cast<unsigned char>(scene.image.ConstData()[i] - scene.previous.ConstData()[i]);
    }
    std::vector<unsigned char> out(compressBound(bytes));
    uLongf outSize = 0;
    for (auto _ : state) {
        std::memcpy(scene.previous.Data(), scene.image.ConstData(), bytes);
        outSize = out.size();
        if (compress2(out.data(), &outSize, difference.data(), bytes, Z_DEFAULT_COMPRESSION) != Z_OK) {
            state.SkipWithError("deflate failed");
        }
        benchmark::DoNotOptimize(out.data());
    }
    ReportStep(state, static_cast<int32_t>(outSize));
}

BENCHMARK(BM_BaselineCopyAndDeflate)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_RecordStep)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_UndoStep)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_RedoStep)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace
