#include "model/table.h"

#include <gtest/gtest.h>

#include <climits>

#include "puzzle_fixture.h"
#include "render/canvas.h"
#include "render/view.h"

TEST_F(PuzzleTest, TheTableHasTheWindowsShapeAndOneEighthMoreThanThePictureNeeds) {
    FitTable();  // no picture: the window itself, one eighth larger
    EXPECT_EQ(g_tableWidth, 900);
    EXPECT_EQ(g_tableHeight, 675);

    UsePicture(1000, 700);  // width decides: 1000 / 800 = 1.25 against 700 / 600 = 1.1667
    FitTable();
    EXPECT_EQ(g_tableWidth, 1125);
    EXPECT_EQ(g_tableHeight, 843);  // 1.40625 × 600 = 843.75, truncated

    UsePicture(600, 1200);  // height decides: 1200 / 600 = 2
    FitTable();
    EXPECT_EQ(g_tableWidth, 1800);
    EXPECT_EQ(g_tableHeight, 1350);

    picture_.loaded = 0;  // a picture record that holds no picture counts as none
    FitTable();
    EXPECT_EQ(g_tableWidth, 900);
    EXPECT_EQ(g_tableHeight, 675);
}

TEST_F(PuzzleTest, FittingReplacesExactlyTheGroupsBeyondTheFarEdgesAndKeepsThemWhole) {
    g_cellSize = 64;
    FixGridGeometry();
    UsePicture(1000, 700);  // table 1125 × 843
    Group* atRightEdge = NewGroup(1030, 100, {GridPiece(2, 2)});  // 1030 + 95 = 1125 still fits
    Group* pastRightEdge = NewGroup(1031, 100, {GridPiece(2, 3)});
    Group* atTopEdge = NewGroup(100, 748, {GridPiece(2, 4)});
    Group* pastTopEdge = NewGroup(100, 749, {GridPiece(2, 5)});
    Group* farBelow = NewGroup(-50, -3000, {GridPiece(2, 6)});
    Group* assembled = NewGroup(5000, 50, {GridPiece(3, 2, -47, 0), GridPiece(3, 3, 48, 0)});

    const std::uint64_t seed = g_randomState;
    FitTable();
    // Re-placed in drawing order, x before y, one pitch clear of every edge.
    g_randomState = seed;
    for (Group* moved : {pastRightEdge, pastTopEdge, assembled}) {
        const int x = RandomInRange(95, 1125 - 95);
        EXPECT_EQ(moved->x, x);
        EXPECT_EQ(moved->y, RandomInRange(95, 843 - 95));
    }
    EXPECT_EQ(g_randomState, StateAfter(seed, 6));
    EXPECT_EQ(atRightEdge->x, 1030);
    EXPECT_EQ(atTopEdge->y, 748);
    EXPECT_EQ(farBelow->x, -50);
    EXPECT_EQ(farBelow->y, -3000);
    ASSERT_EQ(assembled->members.count, 2);
    EXPECT_EQ(Pieces(assembled)[0]->offsetX, -47);
    EXPECT_EQ(Pieces(assembled)[1]->offsetX, 48);
    EXPECT_EQ(g_groups.count, 6);
}

TEST_F(PuzzleTest, AWindowWithoutWidthOrHeightChangesNothing) {
    g_cellSize = 64;
    FixGridGeometry();
    UsePicture(1000, 700);
    FitTable();
    Group* group = NewGroup(5000, 5000, {GridPiece(2, 2)});
    const std::uint64_t seed = g_randomState;
    for (PixelRect client : {PixelRect{0, 0, 0, 0}, PixelRect{0, 0, 0, 600}, PixelRect{0, 0, 800, 0}}) {
        g_clientRect = client;
        FitTable();
        EXPECT_EQ(g_tableWidth, 1125);
        EXPECT_EQ(g_tableHeight, 843);
        EXPECT_EQ(group->x, 5000);
        EXPECT_EQ(group->y, 5000);
        EXPECT_EQ(g_randomState, seed);
    }
}

TEST_F(PuzzleTest, TheLargestPictureGivesTheLargestTableWithoutOverflow) {
    g_cellSize = 64;
    FixGridGeometry();
    UsePicture(INT_MAX, INT_MAX);  // asks for about 3.2 × 10^9 by 2.4 × 10^9
    Group* nearEdge = NewGroup(INT_MAX - 10, 0, {GridPiece(2, 2)});
    Group* farBelow = NewGroup(INT_MIN, INT_MIN, {GridPiece(2, 3)});
    FitTable();
    EXPECT_EQ(g_tableWidth, INT_MAX);
    EXPECT_EQ(g_tableHeight, INT_MAX);
    EXPECT_GE(nearEdge->x, 95);
    EXPECT_LT(nearEdge->x, INT_MAX - 95);
    EXPECT_EQ(farBelow->x, INT_MIN);

    g_clientRect = {0, 0, 1, 1};
    FitTable();
    EXPECT_EQ(g_tableWidth, INT_MAX);
    EXPECT_EQ(g_tableHeight, INT_MAX);
}

TEST_F(PuzzleTest, FittingHandsTheTableToTheViewAndSendsItHome) {
    Canvas canvas;
    canvas.InitSize(800, 600);
    g_canvas = &canvas;
    View view;
    g_view = &view;
    UsePicture(1000, 700);
    view.Pan(0.125, 0);
    FitTable();
    EXPECT_EQ(view.tableWidth, 1125.0);
    EXPECT_EQ(view.tableHeight, 843.0);
    EXPECT_EQ(view.toTable[0][0], 1.40625);  // 1125 / 800 fills the width; 843 / 600 is less
    EXPECT_EQ(view.toTable[0][2], 0.0);      // the pan is gone

    // A minimised window leaves the view as it was, pan and all.
    view.Pan(0.125, 0);
    const double panned = view.toTable[0][2];
    g_clientRect = {};
    FitTable();
    EXPECT_EQ(view.toTable[0][2], panned);
    EXPECT_EQ(view.tableWidth, 1125.0);
    g_view = nullptr;
    g_canvas = nullptr;
}
