#include "model/snapping.h"

#include <gtest/gtest.h>

#include <optional>

#include "puzzle_fixture.h"

namespace {

// Piece 2002 rests at (500, 500) (its group at (400, 450), the piece offset by (100, 50)); the
// piece of row r, column k is dropped at (x, y). The correction, or nothing when no fit.
std::optional<std::pair<int, int>> DropBeside(int r, int k, int x, int y) {
    Group* resting = NewGroup(400, 450, {GridPiece(2, 2, 100, 50)});
    Group* dropped = NewGroup(x + 7, y - 3, {GridPiece(r, k, -7, 3)});
    int cx = 12345;
    int cy = 12345;
    const bool fits = FindFit(resting, dropped, &cx, &cy);
    ClearPuzzle();
    if (!fits) {
        EXPECT_EQ(cx, 12345);
        EXPECT_EQ(cy, 12345);
        return std::nullopt;
    }
    return std::pair{cx, cy};
}

using Correction = std::optional<std::pair<int, int>>;

}  // namespace

TEST_F(PuzzleTest, ARightNeighbourSnapsWithinReachAndTolerance) {
    g_cellSize = 64;
    FixGridGeometry();  // pitch 95, tolerance 23, reach 118
    EXPECT_EQ(DropBeside(2, 3, 590, 510), Correction({5, -10}));  // ends at (595, 500)
    EXPECT_EQ(DropBeside(2, 3, 612, 500), Correction({-17, 0}));
    EXPECT_EQ(DropBeside(2, 3, 617, 522), Correction({-22, -22}));
    EXPECT_EQ(DropBeside(2, 3, 618, 500), std::nullopt);  // 118 is not less than the reach
    EXPECT_EQ(DropBeside(2, 3, 590, 523), std::nullopt);  // 23 is not less than the tolerance
    EXPECT_EQ(DropBeside(2, 3, 405, 500), std::nullopt);  // on the left, where 2001 belongs
    EXPECT_EQ(DropBeside(2, 4, 595, 500), std::nullopt);  // not a neighbour at all
}

TEST_F(PuzzleTest, EachNeighbourSnapsOnlyOnItsOwnSide) {
    g_cellSize = 64;
    FixGridGeometry();
    EXPECT_EQ(DropBeside(3, 2, 505, 590), Correction({-5, 5}));   // down: one pitch higher on the table
    EXPECT_EQ(DropBeside(1, 2, 497, 410), Correction({3, -5}));   // up
    EXPECT_EQ(DropBeside(2, 1, 410, 497), Correction({-5, 3}));   // left
    EXPECT_EQ(DropBeside(1, 2, 497, 590), std::nullopt);
    EXPECT_EQ(DropBeside(3, 2, 505, 410), std::nullopt);
    // Dropped right onto the piece, the sign of zero counts as up or left.
    EXPECT_EQ(DropBeside(1, 2, 500, 500), Correction({0, -95}));
    EXPECT_EQ(DropBeside(2, 1, 500, 500), Correction({-95, 0}));
    EXPECT_EQ(DropBeside(2, 3, 500, 500), std::nullopt);
    EXPECT_EQ(DropBeside(3, 2, 500, 500), std::nullopt);
}
