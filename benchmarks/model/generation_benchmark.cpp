// Cutting a puzzle of 1,000, 10,000 and 100,000 pieces. Every seam finds its cell directly, so the
// time grows with the piece count, not with its square; the memory the masks take is reported
// beside it, per picture pixel as well. Target: 100,000 pieces well under a second. CutPicture
// cuts a 4000 × 3000 picture at cells 8, 64 and 512 and reports the masks' bytes per picture
// pixel, against those of masks kept as bytes (mask size squared a piece). Target: at most 0.1.
#include <benchmark/benchmark.h>

#include <cstdint>

#include "model/group.h"
#include "model/mask.h"
#include "puzzle_setup.h"

namespace {

void GeneratePuzzle(benchmark::State& state) {
    const auto columns = static_cast<std::int32_t>(state.range(0));
    const auto rows = static_cast<std::int32_t>(state.range(1));
    CutPuzzle puzzle(columns, rows, static_cast<std::int32_t>(state.range(2)));
    for (auto _ : state) {
        state.PauseTiming();
        ClearPuzzle();
        state.ResumeTiming();
        puzzle.Cut();
    }
    const double pieces = static_cast<double>(g_groups.count);
    state.counters["pieces"] = pieces;
    state.counters["maskMiB"] = static_cast<double>(MaskMemory()) / (1024.0 * 1024.0);
    state.counters["maskBytesPerPixel"] =
        static_cast<double>(MaskMemory()) / (static_cast<double>(puzzle.picture.width) * puzzle.picture.height);
    state.counters["perPiece"] = benchmark::Counter(pieces, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void CutPicture(benchmark::State& state) {
    CutPuzzle puzzle(1, 1, static_cast<std::int32_t>(state.range(0)));
    puzzle.picture.width = 4000;
    puzzle.picture.height = 3000;
    for (auto _ : state) {
        state.PauseTiming();
        ClearPuzzle();
        state.ResumeTiming();
        puzzle.Cut();
    }
    const double pixels = 4000.0 * 3000.0;
    state.counters["pieces"] = static_cast<double>(g_groups.count);
    state.counters["maskBytesPerPixel"] = static_cast<double>(MaskMemory()) / pixels;
    state.counters["asBytesPerPixel"] = static_cast<double>(g_groups.count) * g_maskSize * g_maskSize / pixels;
}

}  // namespace

BENCHMARK(GeneratePuzzle)
    ->ArgNames({"columns", "rows", "cell"})
    ->Args({40, 25, 8})
    ->Args({100, 100, 8})
    ->Args({400, 250, 8})
    ->Args({40, 25, 64})
    ->Args({100, 100, 64})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(CutPicture)->ArgNames({"cell"})->Arg(8)->Arg(64)->Arg(512)->Unit(benchmark::kMillisecond);
