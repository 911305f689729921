#include "imaging/draw_piece.h"

#include <gtest/gtest.h>

#include <cmath>

#include "model/geometry.h"
#include "render/view.h"
#include "test_pictures.h"

namespace {

// A 96-pixel piece of a 120 × 120 grey picture whose pixel (x, y) is x + y, drawn through a view
// that scales by k and puts the piece's centre on canvas point (100, 100).
class DrawPieceTest : public testing::Test {
protected:
    void SetUp() override {
        SizeCanvas(&canvas, 300, 300);
        view.canvas = &canvas;
        view.tableWidth = 300;
        view.tableHeight = 300;
        g_view = &view;
        picture.MakeDecoded(120, 120, 1);
        for (int y = 0; y < 120; ++y) {
            for (int x = 0; x < 120; ++x) picture.Byte(x, y, 0) = static_cast<unsigned char>(x + y);
        }
        g_sourceImage = &picture.image;
        g_maskSize = 96;
    }

    void TearDown() override {
        g_view = nullptr;
        g_sourceImage = nullptr;
        g_maskSize = 0;
    }

    void DrawAtScale(double k, std::int16_t allowAveraging) {
        canvas.Fill(Colour());
        view.toCanvas[0][0] = k;
        view.toCanvas[1][1] = k;
        // The table centre (150, 150) is the canvas centre; 50 table units left and below are
        // 50 k canvas pixels, which the translation makes up to 50.
        view.toCanvas[0][2] = 50 * k - 50;
        view.toCanvas[1][2] = 50 * k - 50;
        DrawPiece(100.0, 100.0, 0, 0, nullptr, allowAveraging, 96.0, 96.0);
    }

    int GreyAt(int x, int y) {
        const unsigned char* pixel = canvas.pixels + (static_cast<std::size_t>(y) * canvas.width + x) * 3;
        EXPECT_TRUE(pixel[0] == pixel[1] && pixel[1] == pixel[2]);
        return pixel[0];
    }

    Canvas canvas;
    View view;
    TestPicture picture;
};

}  // namespace

TEST_F(DrawPieceTest, AtScaleOneTheSquareVisitsNinetyEightColumnsAndRows) {
    // destWidth 96.5, step 96 / 96.5, half 48: columns and rows trunc(51.5) = 51 to
    // trunc(148.5) = 148. From picture column and row 10 every visited pixel samples inside the
    // picture (9.25 to 105.75), which is one grey lighter than black everywhere, so every
    // visited pixel shows and nothing else changes.
    for (unsigned char& byte : picture.bytes) ++byte;
    DrawPiece(100.0, 100.0, 10, 10, nullptr, 1, 96.0, 96.0);
    int columns[300] = {};
    int rows[300] = {};
    for (int y = 0; y < 300; ++y) {
        for (int x = 0; x < 300; ++x) {
            if (GreyAt(x, y) != 0) {
                ++columns[x];
                ++rows[y];
            }
        }
    }
    for (int i = 0; i < 300; ++i) {
        const int expected = i >= 51 && i <= 148 ? 98 : 0;
        EXPECT_EQ(columns[i], expected) << "column " << i;
        EXPECT_EQ(rows[i], expected) << "row " << i;
    }
}

TEST_F(DrawPieceTest, AveragingServesOnlyWhereThePictureShrinksBeyondOnePointOne) {
    // Scale 0.25: step 96 / 24.5 = 3.918. Canvas pixel (101, 100) maps to (51.918, 48). Averaged,
    // columns 51, 53, 54 and rows 48, 49, 50: 915 / 9 = 101.67. Interpolated: 99.918.
    DrawAtScale(0.25, 1);
    EXPECT_EQ(GreyAt(101, 100), 101);
    DrawAtScale(0.25, 0);
    EXPECT_EQ(GreyAt(101, 100), 99);

    // Scale 0.5: step 96 / 48.5 = 1.979, one sample a pixel. (101, 101) maps to (49.979, 49.979):
    // averaged 49 + 49, interpolated 99.959.
    DrawAtScale(0.5, 1);
    EXPECT_EQ(GreyAt(101, 101), 98);
    DrawAtScale(0.5, 0);
    EXPECT_EQ(GreyAt(101, 101), 99);

    // Scale 0.95: step 96 / 91.7 = 1.047, not above 1.1, so interpolated even where averaging is
    // allowed: (111, 111) maps to (59.516, 59.516), 119.03 (a single sample would give 118).
    DrawAtScale(0.95, 1);
    EXPECT_EQ(GreyAt(111, 111), 119);
}

TEST_F(DrawPieceTest, NothingIsDrawnWithoutACanvasAPictureOrFiniteNumbers) {
    const std::vector<unsigned char> black = CanvasBytes(canvas);
    g_sourceImage = nullptr;
    DrawPiece(100.0, 100.0, 0, 0, nullptr, 1, 96.0, 96.0);
    EXPECT_EQ(CanvasBytes(canvas), black);
    g_sourceImage = &picture.image;
    picture.image.loaded = 0;
    DrawPiece(100.0, 100.0, 0, 0, nullptr, 1, 96.0, 96.0);
    EXPECT_EQ(CanvasBytes(canvas), black);
    picture.image.loaded = 1;

    for (double bad : {double(NAN), double(INFINITY), -double(INFINITY), 1e300}) {
        DrawPiece(bad, 100.0, 0, 0, nullptr, 1, 96.0, 96.0);
        DrawPiece(100.0, bad, 0, 0, nullptr, 0, 96.0, 96.0);
        view.toCanvas[0][0] = bad;
        DrawPiece(100.0, 100.0, 0, 0, nullptr, 1, 96.0, 96.0);
        view.toCanvas[0][0] = 1.0;
        view.tableHeight = bad;
        DrawPiece(100.0, 100.0, 0, 0, nullptr, 1, 96.0, 96.0);
        view.tableHeight = 300;
    }
    EXPECT_EQ(CanvasBytes(canvas), black);

    view.canvas = nullptr;
    DrawPiece(150.0, 150.0, 0, 0, nullptr, 1, 96.0, 96.0);
    view.canvas = &canvas;
    g_view = nullptr;
    DrawPiece(150.0, 150.0, 0, 0, nullptr, 1, 96.0, 96.0);
    EXPECT_EQ(CanvasBytes(canvas), black);

    // A canvas whose size was refused, and one of no pixels.
    g_view = &view;
    canvas.Resize(40000, 40000, 9);
    ASSERT_EQ(canvas.pixels, nullptr);
    DrawPiece(150.0, 150.0, 0, 0, nullptr, 1, 96.0, 96.0);
    canvas.Resize(0, 0, 1);
    DrawPiece(150.0, 150.0, 0, 0, nullptr, 1, 96.0, 96.0);
}
