// The per-frame costs of the canvas for a 1920 × 1080 and a 3840 × 2160 client area at scales 1
// and 2, beside a plain copy of the same working image as the yardstick. Targets: UpdateDisplay
// at scale 2 within 1.5 × the copy, RestoreRest within 1.2 ×.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "render/canvas.h"

namespace {

// A canvas for a 16:9 client area of the benchmark's height (its second argument) at its scale
// (the first), with a working image of varied bytes, a snapshot and a display image.
struct FilledCanvas {
    explicit FilledCanvas(const benchmark::State& benchmark) {
        const auto height = static_cast<std::int32_t>(benchmark.range(1));
        canvas.InitSize(height * 16 / 9, height);
        canvas.Resize(height * 16 / 9, height, static_cast<std::int16_t>(benchmark.range(0)));
        const std::size_t bytes = WorkingBytes();
        std::uint32_t state = 12345;
        for (std::size_t at = 0; at < bytes; ++at) {
            state = state * 1664525u + 1013904223u;
            canvas.pixels[at] = static_cast<std::uint8_t>(state >> 24);
        }
        canvas.SaveRest();
        canvas.UpdateDisplay();
    }
    std::size_t WorkingBytes() const { return static_cast<std::size_t>(canvas.width) * canvas.height * 3; }
    Canvas canvas;
};

void WorkingImageCopy(benchmark::State& state) {
    FilledCanvas filled(state);
    const std::size_t bytes = filled.WorkingBytes();
    std::vector<std::uint8_t> target(bytes);
    for (auto _ : state) {
        std::memcpy(target.data(), filled.canvas.pixels, bytes);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
}

void UpdateDisplay(benchmark::State& state) {
    FilledCanvas filled(state);
    for (auto _ : state) {
        filled.canvas.UpdateDisplay();
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * filled.WorkingBytes()));
}

void RestoreRest(benchmark::State& state) {
    FilledCanvas filled(state);
    for (auto _ : state) {
        filled.canvas.RestoreRest();
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * filled.WorkingBytes()));
}

}  // namespace

// Scales 1 and 2 of a 1920 × 1080 and a 3840 × 2160 client area.
void ScalesAndClients(benchmark::internal::Benchmark* benchmark) {
    benchmark->ArgNames({"scale", "client"})->ArgsProduct({{1, 2}, {1080, 2160}})->Unit(benchmark::kMillisecond);
}

BENCHMARK(WorkingImageCopy)->Apply(ScalesAndClients);
BENCHMARK(UpdateDisplay)->Apply(ScalesAndClients);
BENCHMARK(RestoreRest)->Apply(ScalesAndClients);
