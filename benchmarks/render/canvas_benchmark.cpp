// The per-frame costs of the canvas for a 1920 × 1080 client area at scales 1 and 2, beside a
// plain copy of the same working image as the yardstick. Targets: UpdateDisplay at scale 2
// within 3 × the copy, RestoreRest within 1.2 ×.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "render/canvas.h"

namespace {

constexpr std::int32_t kClientWidth = 1920;
constexpr std::int32_t kClientHeight = 1080;

// A canvas with a working image of varied bytes, a snapshot and a display image.
struct FilledCanvas {
    explicit FilledCanvas(std::int16_t scale) {
        canvas.InitSize(kClientWidth, kClientHeight);
        canvas.Resize(kClientWidth, kClientHeight, scale);
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
    FilledCanvas filled(static_cast<std::int16_t>(state.range(0)));
    const std::size_t bytes = filled.WorkingBytes();
    std::vector<std::uint8_t> target(bytes);
    for (auto _ : state) {
        std::memcpy(target.data(), filled.canvas.pixels, bytes);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
}

void UpdateDisplay(benchmark::State& state) {
    FilledCanvas filled(static_cast<std::int16_t>(state.range(0)));
    for (auto _ : state) {
        filled.canvas.UpdateDisplay();
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * filled.WorkingBytes()));
}

void RestoreRest(benchmark::State& state) {
    FilledCanvas filled(static_cast<std::int16_t>(state.range(0)));
    for (auto _ : state) {
        filled.canvas.RestoreRest();
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * filled.WorkingBytes()));
}

}  // namespace

BENCHMARK(WorkingImageCopy)->ArgName("scale")->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);
BENCHMARK(UpdateDisplay)->ArgName("scale")->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);
BENCHMARK(RestoreRest)->ArgName("scale")->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);
