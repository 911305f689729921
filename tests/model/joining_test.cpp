#include "model/joining.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>

#include "model/picking.h"
#include "model/snapping.h"
#include "puzzle_fixture.h"

namespace {

// What the window does on a button release: join the held group again and again, each survivor
// sinking to the bottom, until nothing more fits. Returns the number of joins.
int Drop(Group* held) {
    RaiseGroup(held);
    g_draggedGroup = held;
    int joins = 0;
    for (; Group* survivor = JoinDropped(); ++joins) LowerGroup(survivor);
    g_draggedGroup = nullptr;
    return joins;
}

Group* GroupOf(const Piece* piece) {
    for (Group* group : Groups()) {
        const std::vector<Piece*> pieces = Pieces(group);
        if (std::find(pieces.begin(), pieces.end(), piece) != pieces.end()) return group;
    }
    return nullptr;
}

// Moves a piece's group so that the piece lies at (x, y) on the table, and drops it there.
int DropPieceAt(const Piece* piece, int x, int y) {
    Group* group = GroupOf(piece);
    group->x = x - piece->offsetX;
    group->y = y - piece->offsetY;
    return Drop(group);
}

using Correction = std::optional<std::pair<int, int>>;

}  // namespace

TEST_F(PuzzleTest, APointPicksTheTopMostGroupWithAPieceStrictlyWithinHalfAPitch) {
    Group* pair = NewGroup(0, 0, {GridPiece(2, 2, 500, 500), GridPiece(2, 3, 595, 500)});
    Group* above = NewGroup(615, 500, {GridPiece(5, 5)});
    // 47 is less than half of 95; 48 no longer is. 590 lies in the squares of 2003 and 5005.
    const struct { int x, y; Group* picked; } cases[] = {
        {546, 454, pair}, {454, 546, pair},  {547, 500, nullptr}, {453, 500, nullptr}, {500, 547, nullptr},
        {500, 453, nullptr}, {560, 500, pair}, {590, 500, above}, {662, 500, nullptr}};
    for (const auto& c : cases) EXPECT_EQ(PickGroup(c.x, c.y), c.picked) << c.x << ", " << c.y;
}

TEST_F(PuzzleTest, ADroppedPieceSnapsOnlyBesideItsOwnNeighbourWithinReachAndTolerance) {
    // Piece 2002 rests at (500, 500); the piece of row r, column k is dropped at (x, y).
    const struct { int r, k, x, y; Correction correction; } cases[] = {
        {2, 3, 590, 510, {{5, -10}}},  // right, to (595, 500)
        {2, 3, 612, 500, {{-17, 0}}},
        {2, 3, 617, 522, {{-22, -22}}},
        {2, 3, 618, 500, {}},          // 118 is not less than the reach
        {2, 3, 590, 523, {}},          // 23 is not less than the tolerance
        {3, 2, 523, 590, {}},          // nor across an upper-lower seam
        {2, 3, 405, 500, {}},          // on the left, where 2001 belongs
        {3, 2, 505, 590, {{-5, 5}}},   // down: one pitch higher on the table
        {1, 2, 497, 410, {{3, -5}}},
        {2, 1, 410, 497, {{-5, 3}}},
        {1, 2, 500, 500, {{0, -95}}},  // right onto the piece, a zero counts as up or left
        {2, 1, 500, 500, {{-95, 0}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << 1000 * c.r + c.k << " at " << c.x << ", " << c.y);
        // Group positions and piece offsets differ, so that a fit must add them.
        Group* resting = NewGroup(400, 450, {GridPiece(2, 2, 100, 50)});
        Group* dropped = NewGroup(c.x + 7, c.y - 3, {GridPiece(c.r, c.k, -7, 3)});
        std::pair<int, int> found{12345, 12345};
        const bool fits = FindFit(resting, dropped, &found.first, &found.second);
        EXPECT_EQ(fits ? Correction(found) : Correction(), c.correction);
        EXPECT_TRUE(fits || found == std::pair(12345, 12345));  // a miss leaves the outputs alone
        ClearPuzzle();
    }
}

TEST_F(PuzzleTest, OneDropBetweenTwoGroupsJoinsAllThreeExactlyOnePitchApart) {
    Piece* left = GridPiece(2, 2);
    Piece* middle = GridPiece(2, 3);
    Piece* right = GridPiece(2, 4);
    NewGroup(500, 500, {left});
    NewGroup(690, 500, {right});
    EXPECT_EQ(JoinDropped(), nullptr);  // nothing held
    g_draggedGroup = NewGroup(595, 523, {middle});  // 23 below its place fits neither
    EXPECT_EQ(JoinDropped(), nullptr);
    EXPECT_EQ(std::vector({g_draggedGroup->x, g_draggedGroup->y, g_groups.count}), std::vector({595, 523, 3}));

    EXPECT_EQ(DropPieceAt(middle, 597, 503), 2);
    ASSERT_EQ(g_groups.count, 1);
    const Group* survivor = Groups()[0];
    EXPECT_EQ(survivor->members.count, 3);
    EXPECT_EQ(TablePosition(survivor, left), std::pair(500, 500));
    EXPECT_EQ(TablePosition(survivor, middle), std::pair(595, 500));
    EXPECT_EQ(TablePosition(survivor, right), std::pair(690, 500));
    EXPECT_EQ(std::pair(survivor->x, survivor->y), std::pair(595, 500));  // recentred on its pieces
}
