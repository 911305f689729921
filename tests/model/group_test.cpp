#include "model/group.h"

#include <gtest/gtest.h>

#include "puzzle_fixture.h"
#include "support/leak_check.h"

// −3 / 2 is −1, not −2; 1 / 3 is 0; an empty group stays put; 3000 offsets of a million sum past
// 32 bits.
TEST_F(PuzzleTest, RecentringMovesAGroupToTheTruncatedMeanOfItsOffsetsWithoutMovingAnyPiece) {
    const struct { std::vector<std::pair<int, int>> offsets; int dx, dy; } cases[] = {{{{-3, 0}, {0, 0}}, -1, 0},
        {{{-64, 5}, {64, -5}, {1, 1}}, 0, 0}, {{}, 0, 0},
        {std::vector(3000, std::pair(1'000'000, -1'000'000)), 1'000'000, -1'000'000}};
    for (const auto& c : cases) {
        std::vector<Piece*> pieces;
        for (auto [ox, oy] : c.offsets) pieces.push_back(GridPiece(2, 2, ox, oy));
        Group* group = NewGroup(100, 50, pieces);
        RecentreGroup(group);
        EXPECT_EQ(std::pair(group->x, group->y), std::pair(100 + c.dx, 50 + c.dy)) << c.offsets.size() << " pieces";
        for (std::size_t i = 0; i < pieces.size(); ++i)
            EXPECT_EQ(TablePosition(group, pieces[i]), std::pair(100 + c.offsets[i].first, 50 + c.offsets[i].second));
    }
}

TEST_F(PuzzleTest, GroupsRiseAndSinkInTheDrawingOrderAndClearingThePuzzleFreesEverything) {
    Group* a = NewGroup(0, 0, {GridPiece(2, 2)});
    Group* b = NewGroup(0, 0, {GridPiece(2, 3), GridPiece(2, 4)});
    Group* c = NewGroup(0, 0, {});
    RaiseGroup(a);
    LowerGroup(c);
    EXPECT_EQ(Groups(), (std::vector<Group*>{c, b, a}));
    g_draggedGroup = b;
    ClearPuzzle();
    EXPECT_TRUE(g_groups.count == 0 && g_groups.last == nullptr);
    EXPECT_EQ(g_draggedGroup, nullptr);  // the held group must not outlive the puzzle
    EXPECT_TRUE(NothingLeaked());
}
