#include "model/geometry.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "model/piece_id.h"

// Cell 10: 10 / 2 = 5 loses its low bit. Cell 2^31 − 1 is brought down to 16384, 2^30 mask bytes.
TEST(Geometry, MarginIsHalfTheCellRoundedDownToEvenAfterTheCellIsBroughtIntoRange) {
    const struct { int cellSize, margin, pitch, maskSize; } cases[] = {
        {8, 4, 11, 16}, {64, 32, 95, 128}, {-70, 4, 11, 16}, {10, 4, 13, 18}, {INT_MAX, 8192, 24575, 32768}};
    for (const auto& c : cases) {
        const GridGeometry g = GeometryForCellSize(c.cellSize);
        EXPECT_EQ(std::vector({g.margin, g.pitch, g.maskSize}), std::vector({c.margin, c.pitch, c.maskSize})) << c.cellSize;
    }
    // Fixing the geometry brings the chosen cell size itself into range: knobs read it.
    g_cellSize = 3;
    FixGridGeometry();
    EXPECT_EQ(std::vector({g_cellSize, g_pitch}), std::vector({8, 11}));
}

// Largest ids: 2147482999 fits, 2147483999 does not; at stride 10^9, 1195225786 fits and
// 2195225786 does not.
TEST(PieceIds, RowsLieAStrideApartThatOutgrowsTheColumnsAndGridsWithIdsPast32BitsAreRefused) {
    const struct { int columns; long long stride; } strides[] = {{999, 1000}, {1000, 10000}, {INT_MAX, 10000000000LL}};
    for (const auto& c : strides) EXPECT_EQ(IdStride(c.columns), c.stride) << c.columns << " columns";
    const struct { int rows, columns; bool fits; } grids[] = {{2147482, 999, true}, {2147483, 999, false},
        {1, 195225786, true}, {2, 195225786, false}, {INT_MAX, INT_MAX, false}, {0, 0, true}, {-1, 5, false}};
    for (const auto& g : grids) EXPECT_EQ(GridIdsFit(g.rows, g.columns), g.fits) << g.rows << " × " << g.columns;
}
