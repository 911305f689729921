// Cutting a puzzle of 1,000, 10,000 and 100,000 pieces. Every seam finds its two pieces directly,
// so the time grows with the piece count and the mask bytes, not with its square; the memory the
// masks take is reported beside it. Target: 100,000 pieces well under a second.
#include <benchmark/benchmark.h>

#include <cstdint>

#include "model/group.h"
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
    state.counters["maskMiB"] = pieces * g_maskSize * g_maskSize / (1024.0 * 1024.0);
    state.counters["perPiece"] = benchmark::Counter(pieces, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
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
