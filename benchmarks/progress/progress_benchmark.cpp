// Storing and restoring a puzzle of 100,000 pieces (400 × 250 at cell size 8), freshly cut, so that
// every piece is a group of its own: the largest file such a puzzle gives. Storing is capturing and
// writing the file (committed to the disk); restoring is reading it, cutting again and arranging.
// Targets: storing well under 50 ms; restoring no more than the cut (measured here beside it)
// plus 50 ms.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cwchar>
#include <string>

#include "../model/puzzle_setup.h"
#include "model/group.h"
#include "progress/progress_file.h"
#include "progress/puzzle_arrangement.h"
#include "render/canvas.h"
#include "render/view.h"

namespace {

// The cut puzzle in a window with its canvas and view, and the record of where it was cut from.
struct StoredPuzzle {
    StoredPuzzle() : puzzle(400, 250, 8) {
        canvas.InitSize(800, 600);
        g_canvas = &canvas;
        g_view = new View;
        puzzle.Cut();
        origin.cellSize = 8;
        origin.seed = 1;
        origin.rows = 250;
        origin.columns = 400;
        std::wcscpy(origin.picturePath, L"benchmark picture");
    }
    ~StoredPuzzle() {
        delete g_view;
        g_view = nullptr;
        g_canvas = nullptr;
    }
    bool Store() {
        PuzzleRecord record;
        CopyOrigin(origin, &record);
        return CapturePuzzle(&record) && WriteProgressFile(path.c_str(), record);
    }

    CutPuzzle puzzle;
    Canvas canvas;
    PuzzleRecord origin;
    const std::wstring path = L"/tmp/tesselon-progress-benchmark.txt";
};

void StoreCutPuzzle(benchmark::State& state) {
    StoredPuzzle stored;
    for (auto _ : state) {
        if (!stored.Store()) state.SkipWithError("not stored");
    }
    state.counters["pieces"] = g_groups.count;
}

void RestoreStoredPuzzle(benchmark::State& state) {
    StoredPuzzle stored;
    if (!stored.Store()) state.SkipWithError("not stored");
    for (auto _ : state) {
        state.PauseTiming();
        ClearPuzzle();
        state.ResumeTiming();
        PuzzleRecord record;
        if (!ReadProgressFile(stored.path.c_str(), &record) || !RestorePuzzle(record)) state.SkipWithError("not restored");
    }
}

void CutOnly(benchmark::State& state) {
    StoredPuzzle stored;
    for (auto _ : state) {
        state.PauseTiming();
        ClearPuzzle();
        state.ResumeTiming();
        stored.puzzle.Cut();
    }
}

}  // namespace

BENCHMARK(StoreCutPuzzle)->Unit(benchmark::kMillisecond);
BENCHMARK(RestoreStoredPuzzle)->Unit(benchmark::kMillisecond);
BENCHMARK(CutOnly)->Unit(benchmark::kMillisecond);
