#include "render/view.h"

#include <gtest/gtest.h>

#include <cmath>
#include <utility>

namespace {

// The view reads only the canvas's sizes, so its canvas holds no images.
class ViewTest : public testing::Test {
protected:
    void SetUp() override {
        Size(1000, 600, 1);
        view.canvas = &canvas;
    }

    void Size(int width, int height, int scale) {
        canvas.width = width;
        canvas.height = height;
        canvas.scale = static_cast<std::int16_t>(scale);
    }

    // Canvas position (sx, sy) maps to table position (tx, ty), as the mouse maps it.
    void ExpectTable(double sx, double sy, double tx, double ty) {
        double x = NAN;
        double y = NAN;
        EXPECT_TRUE(view.CanvasToTable(sx, sy, &x, &y));
        EXPECT_NEAR(x, tx, 1e-9);
        EXPECT_NEAR(y, ty, 1e-9);
    }

    // Every mapping round-trips when toCanvas × toTable is the identity.
    void ExpectInverse() {
        for (int at = 0; at < 9; ++at) {
            const double* row = view.toCanvas[at / 3];
            const double product = row[0] * view.toTable[0][at % 3] + row[1] * view.toTable[1][at % 3] +
                                   row[2] * view.toTable[2][at % 3];
            EXPECT_NEAR(product, at % 4 == 0 ? 1.0 : 0.0, 1e-9) << "element " << at;
        }
    }

    Canvas canvas;
    View view;
};

}  // namespace

TEST_F(ViewTest, HomeFitsTheTableAlongItsTighterAxisPansMoveByCanvasFractionsAndZoomKeepsTheCentre) {
    view.SetTableExtent(1200, 900);  // k = max(1200 / 1000, 900 / 600) = 1.5
    // The height fills the canvas; the width covers 800 pixels, 100 in from either side.
    ExpectTable(500, 300, 600, 450);
    ExpectTable(0, 300, -150, 450);
    view.Pan(0.125, -0.125);  // 125 canvas pixels right and 75 down, of 1.5 table units each
    ExpectTable(500, 300, 600 + 187.5, 450 - 112.5);
    view.Zoom(1.25);  // out, to 1.875 table units a canvas pixel
    ExpectTable(500, 300, 787.5, 337.5);
    ExpectTable(0, 0, 787.5 - 500 * 1.875, 337.5 - 300 * 1.875);
}

TEST_F(ViewTest, OnCanvasesOfOddSizeTheCanvasCornersStillMapOntoTheTableCorners) {
    for (const auto& [width, height] : {std::pair{999, 600}, {1000, 601}}) {
        SCOPED_TRACE(testing::Message() << width << " × " << height);
        Size(width, height, 1);
        view.SetTableExtent(2 * width, 2 * height);  // two table units a canvas pixel
        ExpectTable(0, 0, 0, 0);
        ExpectTable(width, height, 2 * width, 2 * height);
    }
}

TEST_F(ViewTest, TheInverseUndoesTheMappingAfterAnyPansAndZooms) {
    view.SetTableExtent(3000, 2000);
    const double fractions[][2] = {{0.125, 0}, {0, -0.125}, {-0.125, 0.125}};
    for (int step = 0; step < 12; ++step) {
        SCOPED_TRACE(step);
        view.Pan(fractions[step % 3][0], fractions[step % 3][1]);
        view.Zoom(step % 2 == 0 ? 0.8 : 1.5);
        ExpectInverse();
    }
}

TEST_F(ViewTest, AnExtentOfZeroMeansTheDisplaySizeAndSignsAreDropped) {
    Size(2008, 1400, 2);
    view.SetTableExtent(0, -600);
    EXPECT_EQ(view.tableWidth, 1004.0);
    EXPECT_EQ(view.tableHeight, 600.0);
    // k = max(1004 / 2008, 600 / 1400) = 0.5: the table's width fills the canvas.
    ExpectTable(0, 700, 0, 300);
}

TEST_F(ViewTest, AMinimisedCanvasKeepsTheViewUntilItHasASizeAgain) {
    view.SetTableExtent(1200, 900);
    view.Pan(0.125, 0);
    Size(0, 0, 1);
    view.Home();
    view.SetTableExtent(0, 0);  // no display size to stand in for a zero extent
    Size(1000, 600, 1);
    ExpectTable(500, 300, 787.5, 450);
    ExpectInverse();
    view.Home();
    ExpectTable(0, 300, -150, 450);
}

TEST_F(ViewTest, NoZoomFlipsCollapsesOrOverflowsTheViewAndNoCanvasMapsNothing) {
    view.SetTableExtent(1200, 900);
    for (double factor : {0.0, -2.0, std::nan("")}) view.Zoom(factor);
    ExpectTable(0, 300, -150, 450);
    // Far past the range of doubles both ways: the view stops at the last invertible step.
    for (int i = 0; i < 5000; ++i) view.Zoom(0.8);
    for (int i = 0; i < 10000; ++i) view.Zoom(1.25);
    EXPECT_GT(view.toTable[0][0], 0.0);
    EXPECT_TRUE(std::isfinite(view.toTable[0][0]) && std::isfinite(view.toCanvas[0][0]));

    view.canvas = nullptr;
    view.SetTableExtent(0, 0);
    double unused = 0;
    EXPECT_FALSE(view.CanvasToTable(10, 10, &unused, &unused));
}
