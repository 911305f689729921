// Picking and joining on a table of 10,000 loose pieces (100 × 100 at cell size 64), the worst
// cases of the top-down walks: a point or a drop that matches nothing, and a drop that fits only
// the bottom-most group. Target: each well within one mouse message (a few milliseconds).
#include <benchmark/benchmark.h>

#include "model/group.h"
#include "model/joining.h"
#include "model/picking.h"
#include "puzzle_setup.h"

namespace {

Piece* FirstPiece(Group* group) { return RecordOf<PieceLink>(group->members.first)->piece; }

void PickGroupMissingEverything(benchmark::State& state) {
    CutPuzzle puzzle(100, 100, 64);
    puzzle.Cut();
    for (auto _ : state) benchmark::DoNotOptimize(PickGroup(-1000000, -1000000));
}

void PickGroupAtTheBottom(benchmark::State& state) {
    CutPuzzle puzzle(100, 100, 64);
    puzzle.Cut();
    const Group* bottom = RecordOf<Group>(g_groups.first);
    const std::int32_t x = bottom->x;
    const std::int32_t y = bottom->y;
    for (auto _ : state) benchmark::DoNotOptimize(PickGroup(x, y));
}

void JoinDroppedFittingNothing(benchmark::State& state) {
    CutPuzzle puzzle(100, 100, 64);
    puzzle.Cut();
    g_draggedGroup = RecordOf<Group>(g_groups.last);
    g_draggedGroup->x = -1000000;
    for (auto _ : state) benchmark::DoNotOptimize(JoinDropped());
    g_draggedGroup = nullptr;
}

// Piece 1002 is dropped exactly beside piece 1001, whose group lies at the bottom; after each
// join the pair is parted again outside the timing.
void JoinDroppedBesideTheBottomGroup(benchmark::State& state) {
    CutPuzzle puzzle(100, 100, 64);
    puzzle.Cut();
    Group* resting = RecordOf<Group>(g_groups.first);
    Group* dropped = RecordOf<Group>(g_groups.first->next);
    const std::int32_t restX = resting->x;
    const std::int32_t restY = resting->y;
    for (auto _ : state) {
        dropped->x = restX + g_pitch;
        dropped->y = restY;
        RaiseGroup(dropped);
        g_draggedGroup = dropped;
        benchmark::DoNotOptimize(JoinDropped());
        state.PauseTiming();
        ListItem* link = resting->members.last;
        Unlink(link);
        dropped = new Group;
        PushBack(&dropped->members, link);
        PushBack(&g_groups, &dropped->links);
        RecordOf<PieceLink>(link)->piece->offsetX = 0;
        RecordOf<PieceLink>(link)->piece->offsetY = 0;
        FirstPiece(resting)->offsetX = 0;
        resting->x = restX;
        resting->y = restY;
        state.ResumeTiming();
    }
    g_draggedGroup = nullptr;
}

}  // namespace

BENCHMARK(PickGroupMissingEverything)->Unit(benchmark::kMicrosecond);
BENCHMARK(PickGroupAtTheBottom)->Unit(benchmark::kMicrosecond);
BENCHMARK(JoinDroppedFittingNothing)->Unit(benchmark::kMicrosecond);
BENCHMARK(JoinDroppedBesideTheBottomGroup)->Unit(benchmark::kMicrosecond);
