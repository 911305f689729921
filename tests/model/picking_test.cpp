#include "model/picking.h"

#include <gtest/gtest.h>

#include "puzzle_fixture.h"

TEST_F(PuzzleTest, APointPicksAPieceOnlyStrictlyWithinHalfAPitch) {
    g_cellSize = 64;
    FixGridGeometry();  // pitch 95, pick radius 47
    Group* group = NewGroup(500, 500, {GridPiece(2, 2)});
    EXPECT_EQ(PickGroup(500, 500), group);
    EXPECT_EQ(PickGroup(546, 454), group);
    EXPECT_EQ(PickGroup(454, 546), group);
    EXPECT_EQ(PickGroup(547, 500), nullptr);
    EXPECT_EQ(PickGroup(453, 500), nullptr);
    EXPECT_EQ(PickGroup(500, 547), nullptr);
    EXPECT_EQ(PickGroup(500, 453), nullptr);
}

TEST_F(PuzzleTest, PickingFindsAnyPieceOfAGroupAndPrefersTheTopMostGroup) {
    g_cellSize = 64;
    FixGridGeometry();
    Group* pair = NewGroup(0, 0, {GridPiece(2, 2, 1000, 1000), GridPiece(2, 3, 1095, 1000)});
    Group* above = NewGroup(1120, 1000, {GridPiece(5, 5)});
    EXPECT_EQ(PickGroup(1050, 1000), pair);
    EXPECT_EQ(PickGroup(1100, 1000), above);  // both squares hold it; the later group is on top
    RaiseGroup(pair);
    EXPECT_EQ(PickGroup(1100, 1000), pair);
    EXPECT_EQ(PickGroup(1200, 1000), nullptr);
}
