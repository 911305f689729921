#include "model/joining.h"

#include <gtest/gtest.h>

#include <optional>

#include "model/picking.h"
#include "model/snapping.h"
#include "puzzle_fixture.h"

// 47 is less than half of 95; 48 no longer is. 590 lies in the squares of 2003 and 5005.
TEST_F(PuzzleTest, APointPicksTheTopMostGroupWithAPieceStrictlyWithinHalfAPitch) {
    Group* pair = NewGroup(0, 0, {GridPiece(2, 2, 500, 500), GridPiece(2, 3, 595, 500)});
    Group* above = NewGroup(615, 500, {GridPiece(5, 5)});
    const struct { int x, y; Group* picked; } cases[] = {{546, 454, pair}, {454, 546, pair}, {547, 500, nullptr},
        {453, 500, nullptr}, {500, 547, nullptr}, {500, 453, nullptr}, {560, 500, pair}, {590, 500, above}, {662, 500, nullptr}};
    for (const auto& c : cases) EXPECT_EQ(PickGroup(c.x, c.y), c.picked) << c.x << ", " << c.y;
}

// Piece 2002 rests at (500, 500); the piece of row r, column k is dropped at (x, y). To the right,
// (595, 500), within the tolerance of 23 across and the reach of 118 along; not on the left,
// where 2001 belongs, nor across an upper-lower seam. Down is one pitch higher on the table; right
// onto the piece, a zero counts as up or left.
TEST_F(PuzzleTest, ADroppedPieceSnapsOnlyBesideItsOwnNeighbourWithinReachAndTolerance) {
    using Correction = std::optional<std::pair<int, int>>;
    const struct { int r, k, x, y; Correction correction; } cases[] = {
        {2, 3, 590, 510, {{5, -10}}}, {2, 3, 612, 500, {{-17, 0}}}, {2, 3, 617, 522, {{-22, -22}}},
        {2, 3, 618, 500, {}}, {2, 3, 590, 523, {}}, {3, 2, 523, 590, {}}, {2, 3, 405, 500, {}},
        {3, 2, 505, 590, {{-5, 5}}}, {1, 2, 497, 410, {{3, -5}}}, {2, 1, 410, 497, {{-5, 3}}},
        {1, 2, 500, 500, {{0, -95}}}, {2, 1, 500, 500, {{-95, 0}}}};
    for (const auto& c : cases) {
        // Group positions and piece offsets differ, so that a fit must add them.
        Group* resting = NewGroup(400, 450, {GridPiece(2, 2, 100, 50)});
        Group* dropped = NewGroup(c.x + 7, c.y - 3, {GridPiece(c.r, c.k, -7, 3)});
        std::pair<int, int> found{12345, 12345};  // a miss leaves the outputs alone
        const bool fits = FindFit(resting, dropped, &found.first, &found.second);
        EXPECT_EQ(fits ? Correction(found) : Correction(), c.correction) << 1000 * c.r + c.k << " at " << c.x << ", " << c.y;
        EXPECT_TRUE(fits || found == std::pair(12345, 12345));
        ClearPuzzle();
    }
}

// What the window does on a button release: join the held group again and again, each survivor
// sinking to the bottom, until nothing more fits.
TEST_F(PuzzleTest, OneDropBetweenTwoGroupsJoinsAllThreeExactlyOnePitchApart) {
    Piece* left = GridPiece(2, 2);
    Piece* middle = GridPiece(2, 3);
    Piece* right = GridPiece(2, 4);
    NewGroup(500, 500, {left});
    NewGroup(690, 500, {right});
    EXPECT_EQ(JoinDropped(), nullptr);  // nothing held
    Group* held = g_draggedGroup = NewGroup(595, 523, {middle});  // 23 below its place fits neither
    EXPECT_EQ(JoinDropped(), nullptr);
    EXPECT_EQ(std::vector({held->x, held->y, g_groups.count}), std::vector({595, 523, 3}));
    held->x = 597;
    held->y = 503;
    int joins = 0;
    for (; Group* survivor = JoinDropped(); ++joins) LowerGroup(survivor);
    EXPECT_EQ(std::vector({joins, g_groups.count, Groups()[0]->members.count}), std::vector({2, 1, 3}));
    const Group* survivor = Groups()[0];
    EXPECT_EQ(std::vector({TablePosition(survivor, left), TablePosition(survivor, middle), TablePosition(survivor, right)}),
              std::vector({std::pair(500, 500), std::pair(595, 500), std::pair(690, 500)}));
    EXPECT_EQ(std::pair(survivor->x, survivor->y), std::pair(595, 500));  // recentred on its pieces
}
