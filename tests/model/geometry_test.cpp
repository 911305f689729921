#include "model/geometry.h"

#include <gtest/gtest.h>

#include <climits>
#include <utility>
#include <vector>

#include "model/piece_id.h"

TEST(Geometry, MarginIsHalfTheCellRoundedDownToEvenAfterTheCellIsBroughtIntoRange) {
    const struct { int cellSize, margin, pitch, maskSize; } cases[] = {
        {8, 4, 11, 16}, {64, 32, 95, 128}, {0, 4, 11, 16}, {-70, 4, 11, 16},
        {10, 4, 13, 18},                // 10 / 2 = 5 loses its low bit
        {INT_MAX, 8192, 24575, 32768},  // 2^30 mask bytes
    };
    for (const auto& c : cases) {
        const GridGeometry g = GeometryForCellSize(c.cellSize);
        EXPECT_EQ(std::vector({g.margin, g.pitch, g.maskSize}), std::vector({c.margin, c.pitch, c.maskSize})) << "cell " << c.cellSize;
    }
    // Fixing the geometry brings the chosen cell size itself into range: knobs read it.
    g_cellSize = 3;
    FixGridGeometry();
    EXPECT_EQ(std::pair(g_cellSize, g_pitch), std::pair(8, 11));
}

TEST(PieceIds, RowsLieAStrideApartThatOutgrowsTheColumnsAndGridsWithIdsPast32BitsAreRefused) {
    const struct { int columns; long long stride; } strides[] = {
        {1, 1000}, {999, 1000}, {1000, 10000}, {10000, 100000}, {INT_MAX, 10000000000LL}};
    for (const auto& c : strides) EXPECT_EQ(IdStride(c.columns), c.stride) << c.columns << " columns";

    const struct { int rows, columns; bool fits; } grids[] = {
        {2147482, 999, true},           // largest id 2147482999
        {2147483, 999, false},          // 2147483999
        {1, 195225786, true},           // stride 10^9: 1195225786
        {2, 195225786, false},          // 2195225786
        {195225786, 195225786, false},  // a 2^31 − 1 pixel square at pitch 11
        {INT_MAX, INT_MAX, false},
        {0, 0, true},
        {-1, 5, false},
    };
    for (const auto& g : grids) EXPECT_EQ(GridIdsFit(g.rows, g.columns), g.fits) << g.rows << " × " << g.columns;
}
