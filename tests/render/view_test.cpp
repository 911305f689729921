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
        double x = NAN, y = NAN;
        EXPECT_TRUE(view.CanvasToTable(sx, sy, &x, &y));
        EXPECT_NEAR(x, tx, 1e-9);
        EXPECT_NEAR(y, ty, 1e-9);
    }

    // Table positions map back onto the canvas when toCanvas × toTable is the identity.
    void ExpectInverse() {
        for (int at = 0; at < 9; ++at) {
            const double* row = view.toCanvas[at / 3];
            const double product = row[0] * view.toTable[0][at % 3] + row[1] * view.toTable[1][at % 3] + row[2] * view.toTable[2][at % 3];
            EXPECT_NEAR(product, at % 4 == 0 ? 1.0 : 0.0, 1e-9) << "element " << at;
        }
    }

    Canvas canvas;
    View view;
};

}  // namespace

// Home: k = max(1200 / 1000, 900 / 600) = 1.5, so the height fills the canvas and the width
// covers 800 pixels, 100 in from either side. The pan moves 125 canvas pixels right and 75 down,
// of 1.5 table units each; the zoom goes out to 1.875 table units a canvas pixel.
TEST_F(ViewTest, HomeFitsTheTableAlongItsTighterAxisPansMoveByCanvasFractionsAndZoomKeepsTheCentre) {
    view.SetTableExtent(1200, 900);
    ExpectTable(500, 300, 600, 450);
    ExpectTable(0, 300, -150, 450);
    view.Pan(0.125, -0.125);
    ExpectTable(500, 300, 600 + 187.5, 450 - 112.5);
    ExpectInverse();
    view.Zoom(1.25);
    ExpectTable(500, 300, 787.5, 337.5);
    ExpectTable(0, 0, 787.5 - 500 * 1.875, 337.5 - 300 * 1.875);
    ExpectInverse();
}

TEST_F(ViewTest, OnCanvasesOfOddSizeTheCanvasCornersStillMapOntoTheTableCorners) {
    for (const auto& [width, height] : {std::pair{999, 600}, {1000, 601}}) {
        Size(width, height, 1);
        view.SetTableExtent(2 * width, 2 * height);  // two table units a canvas pixel
        ExpectTable(0, 0, 0, 0);
        ExpectTable(width, height, 2 * width, 2 * height);
    }
}

// On a display of 1004 × 700 at scale 2, k = max(1004 / 2008, 600 / 1400) = 0.5: the table's
// width fills the canvas, and a pan of an eighth moves 251 canvas pixels, 125.5 table units.
TEST_F(ViewTest, AnExtentOfZeroMeansTheDisplaySizeSignsAreDroppedAndAMinimisedCanvasKeepsTheView) {
    Size(2008, 1400, 2);
    view.SetTableExtent(0, -600);
    EXPECT_EQ(std::pair(view.tableWidth, view.tableHeight), std::pair(1004.0, 600.0));
    ExpectTable(0, 700, 0, 300);
    view.Pan(0.125, 0);
    Size(0, 0, 1);
    view.Home();
    view.SetTableExtent(0, 0);  // no display size to stand in for a zero extent
    Size(2008, 1400, 2);
    ExpectTable(0, 700, 125.5, 300);
    view.Home();
    ExpectTable(0, 700, 0, 300);
}

// Far past the range of doubles both ways the view stops at the last invertible step.
TEST_F(ViewTest, NoZoomFlipsCollapsesOrOverflowsTheViewAndNoCanvasMapsNothing) {
    view.SetTableExtent(1200, 900);
    for (double factor : {0.0, -2.0, std::nan("")}) view.Zoom(factor);
    ExpectTable(0, 300, -150, 450);
    for (int i = 0; i < 5000; ++i) view.Zoom(0.8);
    EXPECT_GT(view.toTable[0][0], 0.0);
    EXPECT_TRUE(std::isfinite(view.toCanvas[0][0]));
    for (int i = 0; i < 10000; ++i) view.Zoom(1.25);
    EXPECT_TRUE(std::isfinite(view.toTable[0][0]) && std::isfinite(view.toCanvas[0][0]));
    view.canvas = nullptr;
    view.SetTableExtent(0, 0);
    double unused = 0;
    EXPECT_FALSE(view.CanvasToTable(10, 10, &unused, &unused));
}
