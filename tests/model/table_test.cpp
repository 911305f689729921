#include "model/table.h"

#include <gtest/gtest.h>

#include <climits>

#include "puzzle_fixture.h"
#include "render/view.h"

// Without a picture (or with a record that holds none) the window itself, 900 × 675. 1000 / 800
// beats 700 / 600, and 843.75 truncates; 1200 / 600 beats 600 / 800; a picture of 2^31 − 1 a side
// asks for 3.2 × 10^9 by 2.4 × 10^9.
TEST_F(PuzzleTest, TheTableHasTheWindowsShapeAndOneEighthMoreThanThePictureNeedsAndTheViewIsTold) {
    View view;
    g_view = &view;
    FitTable();
    EXPECT_EQ(std::pair(g_tableWidth, g_tableHeight), std::pair(900, 675));
    const struct { int width, height; bool loaded; int tableWidth, tableHeight; } cases[] = {{1000, 700, true, 1125, 843}, {600, 1200, true, 1800, 1350}, {1000, 700, false, 900, 675},
        {INT_MAX, INT_MAX, true, INT_MAX, INT_MAX}};
    for (const auto& c : cases) {
        UsePicture(c.width, c.height);
        picture_.loaded = c.loaded;
        FitTable();
        EXPECT_EQ(std::pair(g_tableWidth, g_tableHeight), std::pair(c.tableWidth, c.tableHeight)) << c.width << " × " << c.height;
        EXPECT_EQ(std::pair(view.tableWidth, view.tableHeight), (std::pair<double, double>(c.tableWidth, c.tableHeight)));
    }
    g_view = nullptr;
}

// Re-placed in drawing order, x before y, in 95 … 1029 and 95 … 747: the first eight draws from
// seed 2024 are about 0.206, 0.089, 0.305, 0.674, 0.003, 0.074, 0.239 and 0.693 of 2^31. A group
// at 1030 still fits (1030 + 95 = 1125), as does one far below; at 2^31 − 11, x + pitch passes
// 32 bits.
TEST_F(PuzzleTest, FittingReplacesExactlyTheGroupsBeyondTheFarEdgesAndKeepsThemWhole) {
    UsePicture(1000, 700);  // table 1125 × 843
    Group* atRightEdge = NewGroup(1030, 100, {GridPiece(2, 2)});
    Group* pastRightEdge = NewGroup(1031, 100, {GridPiece(2, 3)});
    Group* atTopEdge = NewGroup(100, 748, {GridPiece(2, 4)});
    Group* pastTopEdge = NewGroup(100, 749, {GridPiece(2, 5)});
    Group* farBelow = NewGroup(-50, -3000, {GridPiece(2, 6)});
    Group* assembled = NewGroup(5000, 50, {GridPiece(3, 2, -47, 0), GridPiece(3, 3, 48, 0)});
    Group* atLimit = NewGroup(INT_MAX - 10, 100, {GridPiece(2, 7)});
    FitTable();
    EXPECT_EQ(std::vector({pastRightEdge->x, pastRightEdge->y, pastTopEdge->x, pastTopEdge->y, assembled->x, assembled->y,
                           atLimit->x, atLimit->y}), std::vector({287, 152, 380, 535, 97, 143, 318, 547}));
    EXPECT_EQ(g_randomState, StateAfter(2024, 8));
    EXPECT_EQ(std::vector({atRightEdge->x, atTopEdge->y, farBelow->x, farBelow->y}), std::vector({1030, 748, -50, -3000}));
    EXPECT_EQ(std::pair(Pieces(assembled)[0]->offsetX, Pieces(assembled)[1]->offsetX), std::pair(-47, 48));

    // A window without width or height changes nothing.
    for (PixelRect client : {PixelRect{0, 0, 0, 0}, PixelRect{0, 0, 0, 600}, PixelRect{0, 0, 800, 0}}) {
        g_clientRect = client;
        FitTable();
        EXPECT_EQ(std::vector({g_tableWidth, g_tableHeight, pastRightEdge->x, atLimit->y}), std::vector({1125, 843, 287, 547}));
        EXPECT_EQ(g_randomState, StateAfter(2024, 8));
    }
}
