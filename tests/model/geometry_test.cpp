#include "model/geometry.h"

#include <gtest/gtest.h>

#include "model/piece_id.h"

namespace {

void ExpectGeometry(int cellSize, int margin, int pitch, int maskSize) {
    const GridGeometry g = GeometryForCellSize(cellSize);
    EXPECT_EQ(g.margin, margin) << "cell size " << cellSize;
    EXPECT_EQ(g.pitch, pitch) << "cell size " << cellSize;
    EXPECT_EQ(g.maskSize, maskSize) << "cell size " << cellSize;
}

}  // namespace

TEST(Geometry, MarginIsHalfTheCellRoundedDownToEven) {
    ExpectGeometry(8, 4, 11, 16);
    ExpectGeometry(10, 4, 13, 18);  // 10 / 2 = 5 loses its low bit
    ExpectGeometry(11, 4, 14, 19);
    ExpectGeometry(64, 32, 95, 128);
}

TEST(Geometry, CellSizesOutsideTheUsableRangeAreBroughtIntoIt) {
    ExpectGeometry(0, 4, 11, 16);
    ExpectGeometry(-70, 4, 11, 16);
    ExpectGeometry(2147483647, 8192, 24575, 32768);
    // A mask of the largest cell still counts its bytes in 32 bits.
    EXPECT_LE(static_cast<long long>(GeometryForCellSize(kLargestCellSize).maskSize) * GeometryForCellSize(kLargestCellSize).maskSize,
              2147483647LL);
}

TEST(Geometry, FixingTheGeometryKeepsItUntilTheNextFix) {
    g_cellSize = 3;
    FixGridGeometry();
    EXPECT_EQ(g_cellSize, 8);
    EXPECT_EQ(g_pitch, 11);
    // The dialogs move the scroll bar; the puzzle in play keeps its geometry.
    g_cellSize = 64;
    EXPECT_EQ(g_pitch, 11);
    EXPECT_EQ(g_maskSize, 16);
    FixGridGeometry();
    EXPECT_EQ(g_margin, 32);
    EXPECT_EQ(g_pitch, 95);
    EXPECT_EQ(g_maskSize, 128);
}

TEST(PieceIds, StrideIsAThousandUpTo999ColumnsThenTheNextPowerOfTenAbove) {
    EXPECT_EQ(IdStride(1), 1000);
    EXPECT_EQ(IdStride(999), 1000);
    EXPECT_EQ(IdStride(1000), 10000);
    EXPECT_EQ(IdStride(1200), 10000);
    EXPECT_EQ(IdStride(9999), 10000);
    EXPECT_EQ(IdStride(10000), 100000);
    EXPECT_EQ(IdStride(2147483647), 10000000000LL);

    EXPECT_EQ(PieceId(1, 1, 1000), 1001);
    EXPECT_EQ(PieceId(2, 1, 1000), 2001);
    EXPECT_EQ(PieceId(3, 4, 1000), 3004);
    EXPECT_EQ(PieceId(2, 1200, 10000), 21200);
}

TEST(PieceIds, GridsWhoseLargestIdPassesThe32BitRangeAreRefused) {
    // 999 columns: the largest id is 1000 × rows + 999.
    EXPECT_TRUE(GridIdsFit(2147482, 999));   // 2147482999
    EXPECT_FALSE(GridIdsFit(2147483, 999));  // 2147483999
    // The widest grid of a 2^31 − 1 pixel picture at pitch 11.
    EXPECT_FALSE(GridIdsFit(195225786, 195225786));
    EXPECT_TRUE(GridIdsFit(1, 195225786));   // stride 10^9: 1195225786
    EXPECT_FALSE(GridIdsFit(2, 195225786));  // 2195225786
    EXPECT_FALSE(GridIdsFit(2147483647, 2147483647));
    EXPECT_TRUE(GridIdsFit(0, 0));
    EXPECT_FALSE(GridIdsFit(-1, 5));
}
