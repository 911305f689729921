#include "ui/cell_size_rule.h"

#include <gtest/gtest.h>

// Worked by hand from the margin (half the cell, rounded down to even) and the pitch (cell +
// margin − 1). The cell runs from 8 to a third of the picture's shorter side, at most 16384; the
// page is a sixteenth of that span, at least 1.
TEST(CellSizeRule, RangeAndPieceCountFollowThePictureAndGenerationsGeometry) {
    const struct { std::int32_t width, height, cellSize, maximum, page, clamped; std::int64_t pieces; } cases[] = {
        {640, 480, 64, 160, 9, 64, 30},                  // pitch 95: 5 rows of 6
        {20, 20, 64, 8, 1, 8, 1},                        // a third of 20 is raised to 8; pitch 11
        {640, 480, 5, 160, 9, 8, 2494},                  // pitch 11: 43 rows of 58
        {30, 2000, 9, 10, 1, 9, 332},                    // pitch 12: 166 rows of 2
        {100000, 90000, 20000, 16384, 1023, 16384, 12},  // pitch 24575: 3 rows of 4
        // pitch 11: 195225786 rows of as many columns, far past 32 bits
        {2147483647, 2147483647, 8, 16384, 1023, 8, 38113107519317796},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.width);
        const CellSizeRange range = CellSizeRangeFor(c.width, c.height);
        EXPECT_EQ(range.minimum, 8);
        EXPECT_EQ(range.maximum, c.maximum);
        EXPECT_EQ(range.page, c.page);
        EXPECT_EQ(ClampCellSize(c.cellSize, range), c.clamped);
        EXPECT_EQ(PieceCount(c.width, c.height, c.clamped), c.pieces);
    }
}
