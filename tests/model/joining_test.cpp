#include "model/joining.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "model/generation.h"
#include "puzzle_fixture.h"
#include "support/leak_check.h"

namespace {

// What the window does on a button release: join the held group again and again, each survivor
// sinking to the bottom, until nothing more fits. Returns the number of joins.
int Drop(Group* held) {
    RaiseGroup(held);
    g_draggedGroup = held;
    int joins = 0;
    while (Group* survivor = JoinDropped()) {
        LowerGroup(survivor);
        ++joins;
    }
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

Piece* PieceById(int id) {
    for (Piece* piece : AllPieces()) {
        if (piece->id == id) return piece;
    }
    return nullptr;
}

}  // namespace

TEST_F(PuzzleTest, AJoinMovesTheDroppedPiecesIntoPlaceAndRecentresTheSurvivor) {
    g_cellSize = 64;
    FixGridGeometry();
    Piece* q = GridPiece(2, 2);
    Piece* s = GridPiece(2, 3);
    Group* resting = NewGroup(500, 500, {q});
    Group* dropped = NewGroup(590, 510, {s});
    g_draggedGroup = dropped;
    EXPECT_EQ(JoinDropped(), resting);
    EXPECT_EQ(g_draggedGroup, resting);
    EXPECT_EQ(Groups(), std::vector<Group*>{resting});
    EXPECT_EQ(Pieces(resting), (std::vector<Piece*>{q, s}));
    EXPECT_EQ(TablePosition(resting, q), std::pair(500, 500));
    EXPECT_EQ(TablePosition(resting, s), std::pair(595, 500));
    // The offsets (0, 0) and (95, 0) average to (47, 0), truncated.
    EXPECT_EQ(resting->x, 547);
    EXPECT_EQ(q->offsetX, -47);
    EXPECT_EQ(s->offsetX, 48);
    EXPECT_TRUE(NothingLeaked());
}

TEST_F(PuzzleTest, ADropThatFitsNothingChangesNothing) {
    g_cellSize = 64;
    FixGridGeometry();
    Group* alone = NewGroup(500, 500, {GridPiece(2, 2), GridPiece(2, 3, 95, 0)});
    g_draggedGroup = alone;
    EXPECT_EQ(JoinDropped(), nullptr);  // a group never fits itself
    Group* far = NewGroup(713, 500, {GridPiece(2, 4)});
    g_draggedGroup = far;
    EXPECT_EQ(JoinDropped(), nullptr);  // 2004 lies 118 from 2003: one pitch and the whole tolerance
    EXPECT_EQ(g_draggedGroup, far);
    EXPECT_EQ(Groups(), (std::vector<Group*>{alone, far}));
    EXPECT_EQ(far->x, 713);
    EXPECT_EQ(alone->x, 500);
    g_draggedGroup = nullptr;
    EXPECT_EQ(JoinDropped(), nullptr);
}

TEST_F(PuzzleTest, OneDropBetweenTwoGroupsJoinsAllThree) {
    g_cellSize = 64;
    FixGridGeometry();
    Piece* left = GridPiece(2, 2);
    Piece* middle = GridPiece(2, 3);
    Piece* right = GridPiece(2, 4);
    NewGroup(500, 500, {left});
    NewGroup(690, 500, {right});
    Group* held = NewGroup(597, 503, {middle});
    EXPECT_EQ(Drop(held), 2);
    ASSERT_EQ(g_groups.count, 1);
    const Group* survivor = Groups()[0];
    EXPECT_EQ(survivor->members.count, 3);
    EXPECT_EQ(TablePosition(survivor, left), std::pair(500, 500));
    EXPECT_EQ(TablePosition(survivor, middle), std::pair(595, 500));
    EXPECT_EQ(TablePosition(survivor, right), std::pair(690, 500));
}

TEST_F(PuzzleTest, DroppingEveryPieceBesideItsNeighboursSolvesThePuzzle) {
    UsePicture(1000, 700);
    g_cellSize = 64;
    for (bool forward : {true, false}) {
        ASSERT_TRUE(GeneratePuzzle());
        std::vector<Piece*> pieces = AllPieces();  // row by row
        if (!forward) std::reverse(pieces.begin(), pieces.end());
        const Piece* anchor = pieces.front();
        const auto [ax, ay] = TablePosition(GroupOf(anchor), anchor);
        int joins = 0;
        for (std::size_t i = 1; i < pieces.size(); ++i) {
            const Piece* piece = pieces[i];
            // Each piece a little off its place, by less than the tolerance of 23.
            const int jitterX = static_cast<int>(i % 7) * 3 - 9;
            const int jitterY = static_cast<int>(i % 5) * 5 - 10;
            joins += DropPieceAt(piece, ax + piece->homeX - anchor->homeX + jitterX, ay + piece->homeY - anchor->homeY + jitterY);
        }
        EXPECT_EQ(joins, 69);
        ASSERT_EQ(g_groups.count, 1);
        const Group* solved = Groups()[0];
        EXPECT_EQ(solved->members.count, 70);
        // Every piece sits exactly where its home lies from the first one: one pitch apart.
        for (const Piece* piece : Pieces(solved)) {
            EXPECT_EQ(TablePosition(solved, piece), std::pair(ax + piece->homeX - anchor->homeX, ay + piece->homeY - anchor->homeY))
                << "piece " << piece->id;
        }
    }
}

TEST_F(PuzzleTest, InAGridOf1200ColumnsEveryIdIsUniqueAndRightNeighboursStillJoin) {
    UsePicture(1200 * 11, 2 * 11);
    g_cellSize = 8;  // pitch 11, tolerance 2, reach 13
    ASSERT_TRUE(GeneratePuzzle());
    const std::vector<Piece*> pieces = AllPieces();
    ASSERT_EQ(pieces.size(), 2400u);
    std::vector<int> ids;
    for (const Piece* piece : pieces) ids.push_back(piece->id);
    std::sort(ids.begin(), ids.end());
    EXPECT_EQ(std::adjacent_find(ids.begin(), ids.end()), ids.end());

    // Rows are 10000 apart once a row holds 1000 or more pieces.
    Piece* p999 = PieceById(10999);
    Piece* p1000 = PieceById(11000);
    Piece* p1001 = PieceById(11001);
    Piece* below1 = PieceById(20001);
    ASSERT_TRUE(p999 && p1000 && p1001 && below1);
    EXPECT_EQ(p1000->rightId, 11001);
    EXPECT_EQ(p1000->downId, 21000);
    EXPECT_EQ(PieceById(11200)->rightId, 0);
    EXPECT_EQ(below1->upId, 10001);

    const auto [x, y] = TablePosition(GroupOf(p999), p999);
    EXPECT_EQ(DropPieceAt(p1000, x + 12, y + 1), 1);
    // Piece 20001 does not belong right of 11000, however close it lies; 11001 does.
    EXPECT_EQ(DropPieceAt(below1, x + 22, y), 0);
    EXPECT_EQ(DropPieceAt(p1001, x + 22, y), 1);
    const Group* joined = GroupOf(p999);
    EXPECT_EQ(joined->members.count, 3);
    EXPECT_EQ(TablePosition(joined, p1001), std::pair(x + 22, y));
    EXPECT_EQ(TablePosition(joined, p1000), std::pair(x + 11, y));
}
