#include "render/view.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

// The view reads only the canvas's sizes, so these canvases hold no images.
class ViewTest : public testing::Test {
protected:
    void SetUp() override { SizeCanvas(1000, 600, 1); }
    void TearDown() override { g_canvas = nullptr; }

    void SizeCanvas(int width, int height, int scale) {
        canvas.width = width;
        canvas.height = height;
        canvas.scale = static_cast<std::int16_t>(scale);
        g_canvas = &canvas;
    }

    Canvas canvas;
};

struct Point {
    double x;
    double y;
};

Point ToTable(const View& view, double sx, double sy) {
    Point table{NAN, NAN};
    EXPECT_TRUE(view.CanvasToTable(sx, sy, &table.x, &table.y));
    return table;
}

// Table to canvas through the inverse, as piece drawing maps it.
Point ToCanvas(const View& view, double tx, double ty) {
    const double ex = tx - view.tableWidth / 2;
    const double ey = ty - view.tableHeight / 2;
    const auto& b = view.toCanvas;
    return {view.canvas->width / 2.0 + b[0][0] * ex + b[0][1] * ey + b[0][2],
            view.canvas->height / 2.0 + b[1][0] * ex + b[1][1] * ey + b[1][2]};
}

void ExpectNear(Point actual, double x, double y) {
    EXPECT_NEAR(actual.x, x, 1e-9);
    EXPECT_NEAR(actual.y, y, 1e-9);
}

bool AllFinite(const double m[3][3]) {
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 3; ++c) {
            if (!std::isfinite(m[r][c])) return false;
        }
    }
    return true;
}

}  // namespace

TEST_F(ViewTest, HomeFitsTheWholeTableCentredAlongItsTighterAxis) {
    View view;
    view.SetTableExtent(1200, 900);  // k = max(1200 / 1000, 900 / 600) = 1.5
    EXPECT_DOUBLE_EQ(view.toTable[0][0], 1.5);
    EXPECT_DOUBLE_EQ(view.toTable[1][1], 1.5);
    ExpectNear(ToTable(view, 500, 300), 600, 450);
    // The height fills the canvas; the width covers 800 pixels, 100 in from either side.
    ExpectNear(ToTable(view, 0, 300), -150, 450);
    ExpectNear(ToCanvas(view, 0, 0), 100, 0);
    ExpectNear(ToCanvas(view, 1200, 900), 900, 600);

    view.SetTableExtent(1000, 600);
    EXPECT_DOUBLE_EQ(view.toTable[0][0], 1.0);
    ExpectNear(ToTable(view, 0, 0), 0, 0);
    ExpectNear(ToTable(view, 1000, 600), 1000, 600);
}

TEST_F(ViewTest, PansMoveThePictureByFractionsOfTheCanvasWhateverTheZoom) {
    View view;
    view.SetTableExtent(1200, 900);
    view.Pan(0.125, 0);
    ExpectNear(ToTable(view, 500, 300), 600 + 187.5, 450);  // 125 canvas pixels of 1.5 units

    view.Home();
    const Point before = ToCanvas(view, 300, 200);
    for (int i = 0; i < 4; ++i) view.Pan(0.125, 0);
    view.Pan(0, -0.125);
    ExpectNear(ToCanvas(view, 300, 200), before.x - 500, before.y + 75);

    view.Home();
    view.Zoom(0.8);
    const Point zoomed = ToCanvas(view, 300, 200);
    view.Pan(-0.125, 0.125);
    ExpectNear(ToCanvas(view, 300, 200), zoomed.x + 125, zoomed.y - 75);
}

TEST_F(ViewTest, ZoomScalesAboutTheCanvasCentreAndUndoesItself) {
    View view;
    view.SetTableExtent(1200, 900);
    const Point far = ToCanvas(view, 0, 0);  // 400 and 300 pixels from the centre
    view.Zoom(1.25);
    ExpectNear(ToTable(view, 500, 300), 600, 450);
    ExpectNear(ToCanvas(view, 0, 0), 500 - 400 / 1.25, 300 - 300 / 1.25);
    view.Zoom(0.8);
    ExpectNear(ToCanvas(view, 0, 0), far.x, far.y);
    EXPECT_NEAR(view.toTable[0][0], 1.5, 1e-12);
}

TEST_F(ViewTest, TheInverseRoundTripsAfterAnyPansAndZooms) {
    View view;
    view.SetTableExtent(3000, 2000);
    const double fractions[][2] = {{0.125, 0}, {0, -0.125}, {-0.125, 0}, {0, 0.125}, {0.125, 0.125}};
    for (int step = 0; step < 15; ++step) {
        view.Pan(fractions[step % 5][0], fractions[step % 5][1]);
        view.Zoom(step % 3 == 0 ? 1.25 : 0.8);
        for (const Point canvasPoint : {Point{0, 0}, Point{1000, 600}, Point{123.5, 456.25}}) {
            const Point table = ToTable(view, canvasPoint.x, canvasPoint.y);
            const Point back = ToCanvas(view, table.x, table.y);
            EXPECT_NEAR(back.x, canvasPoint.x, 1e-7);
            EXPECT_NEAR(back.y, canvasPoint.y, 1e-7);
        }
    }
    EXPECT_EQ(view.toCanvas[2][0], 0.0);
    EXPECT_EQ(view.toCanvas[2][1], 0.0);
    EXPECT_EQ(view.toCanvas[2][2], 1.0);
    EXPECT_EQ(view.toCanvas[0][1], 0.0);
    EXPECT_NEAR(view.toCanvas[0][0] * view.toTable[0][0], 1.0, 1e-12);
}

TEST_F(ViewTest, AnExtentOfZeroMeansTheDisplaySizeAndSignsAreDropped) {
    SizeCanvas(2008, 1400, 2);
    View view;
    view.SetTableExtent(0, -600);
    EXPECT_EQ(view.tableWidth, 1004.0);
    EXPECT_EQ(view.tableHeight, 600.0);
    // k = max(1004 / 2008, 600 / 1400) = 0.5
    EXPECT_DOUBLE_EQ(view.toTable[0][0], 0.5);

    view.SetTableExtent(-1200, -900);
    EXPECT_EQ(view.tableWidth, 1200.0);
    EXPECT_EQ(view.tableHeight, 900.0);
}

TEST_F(ViewTest, AMinimisedCanvasKeepsTheViewUntilItHasASizeAgain) {
    View view;
    view.SetTableExtent(1200, 900);
    view.Pan(0.125, 0);
    const double panned = view.toTable[0][2];

    SizeCanvas(0, 0, 1);
    view.Home();
    view.SetTableExtent(0, 0);
    EXPECT_EQ(view.toTable[0][2], panned);
    EXPECT_TRUE(AllFinite(view.toTable));
    EXPECT_TRUE(AllFinite(view.toCanvas));
    EXPECT_EQ(view.tableWidth, 1200.0);  // no display size to stand in for a zero extent

    SizeCanvas(1000, 600, 1);
    view.Home();
    ExpectNear(ToTable(view, 500, 300), 600, 450);
    EXPECT_DOUBLE_EQ(view.toTable[0][0], 1.5);
}

TEST_F(ViewTest, AViewWithoutACanvasMapsNothingAndDoesNotFail) {
    g_canvas = nullptr;
    View view;
    view.SetTableExtent(0, 0);
    view.Home();
    view.Pan(0.125, 0.125);
    view.Zoom(0.8);
    double tx = -1;
    double ty = -2;
    EXPECT_FALSE(view.CanvasToTable(10, 10, &tx, &ty));
    EXPECT_EQ(tx, -1);
    EXPECT_EQ(ty, -2);
    EXPECT_TRUE(AllFinite(view.toCanvas));
}

TEST_F(ViewTest, ZoomStaysInvertibleHoweverFarItGoes) {
    View view;
    view.SetTableExtent(1200, 900);
    for (int i = 0; i < 5000; ++i) view.Zoom(0.8);
    EXPECT_TRUE(AllFinite(view.toTable));
    EXPECT_TRUE(AllFinite(view.toCanvas));
    EXPECT_GT(view.toTable[0][0], 0.0);
    for (int i = 0; i < 10000; ++i) view.Zoom(1.25);
    EXPECT_TRUE(AllFinite(view.toTable));
    EXPECT_TRUE(AllFinite(view.toCanvas));

    // Factors that would flip or collapse the view are ignored.
    view.Home();
    view.Zoom(0);
    view.Zoom(-2);
    view.Zoom(NAN);
    EXPECT_DOUBLE_EQ(view.toTable[0][0], 1.5);
}
