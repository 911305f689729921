#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "imaging/draw_piece.h"
#include "imaging/draw_scaled_image.h"
#include "imaging/plot_pixel.h"
#include "imaging/wide_vectors.h"
#include "model/geometry.h"
#include "render/view.h"
#include "test_pictures.h"

namespace {

// The red bytes of an 8 × 8 canvas as letters, top row first, rows separated by spaces.
std::string CanvasLetters(const Canvas& canvas) {
    std::string rows;
    for (int y = 7; y >= 0; --y) {
        for (int x = 0; x < 8; ++x) rows += static_cast<char>(canvas.pixels[(y * 8 + x) * 3]);
        if (y > 0) rows += ' ';
    }
    return rows;
}

}  // namespace

TEST(BlendColour, TransparencyWeighsTheOldPixelAgainstTheNewColour) {
    // (old × t + new × (255 − t)) / 255, truncated: at t = 128 red 255 over 0 gives 127.0,
    // green 0 over 255 gives 128.0 and blue 200 over 100 gives 149.8.
    for (const auto& [t, blended] : {std::pair{0, "255 0 200"}, {128, "127 128 149"}, {255, "0 255 100"}}) {
        std::uint8_t pixel[3] = {0, 255, 100};
        BlendColour(pixel, Colour{255, 0, 200, static_cast<std::uint8_t>(t)});
        EXPECT_EQ(Rgb(pixel), blended) << "transparency " << t;
    }
}

// A 4 × 4 grey picture whose pixel (x, y) is the letter 'a' + x + 4 y drawn onto an 8 × 8 canvas
// of '.', whole or the square inset by one pixel: at scale 1 each canvas pixel shows one picture
// pixel, at 1/2 the mean of a 2 × 2 footprint (truncated) or the interpolation at its corner.
// Destination 7.2 makes spans that end exactly on the canvas edges: centre 4.5 visits columns 1
// to trunc(4.5 + 3 + 0.5) = 8, one past the last, and centre 2.5 from trunc(−1.0) = −1, one
// before the first; the picture points there (3.94 and 0.06) still lie inside the picture, so
// only the clipping keeps them off the canvas. The mask has a strip of 2 cut along its first rows
// and a socket one row deeper over columns 1 and 2: rows 0 and 1 are empty, row 2 two runs.
TEST(DrawScaledImage, DrawsEachCoveredPixelFromItsPicturePointAndNothingBeyondTheCanvas) {
    MaskShape mask{4, 2, {}};
    mask.sides[2] = MaskSide{SideCut::Socket, 1, 2};
    const struct { std::int32_t inset; double centre, destSize; bool masked; std::int16_t averaging; const char* rows; } cases[] = {
        {0, 2.0, 4.0, false, 1, "........ ........ ........ ........ mnop.... ijkl.... efgh.... abcd...."},
        {0, 2.0, 4.0, true, 1, "........ ........ ........ ........ mnop.... i..l.... ........ ........"},
        // Footprints from (1, 1), (3, 1), (1, 3) and (3, 3): f g j k average 7.5, h l 9, n o 13.5;
        // columns and rows past the picture are not counted.
        {0, 5.5, 2.0, false, 1, "........ .....np. .....hj. ........ ........ ........ ........ ........"},
        {0, 5.5, 2.0, false, 0, "........ .....np. .....fh. ........ ........ ........ ........ ........"},
        // A footprint of 2^31 − 1 steps from (2, 2) holds the one sample k.
        {0, 1.0, 1e-300, false, 1, "........ ........ ........ ........ ........ ........ .k...... ........"},
        // The inner 2 × 2 square at a step of 1.5: half of 1.33 pixels truncates to 0, so columns
        // and rows 3 and 4 are visited, at picture points 0.5 and 2; the next, at 3.5, would
        // still lie in the picture.
        {1, 4.0, 4.0 / 3, false, 0, "........ ........ ........ ...ik... ...ce... ........ ........ ........"},
        // Averaged, each footprint of that step holds one sample, the pixel at the truncated point.
        {1, 4.0, 4.0 / 3, false, 1, "........ ........ ........ ...ik... ...ac... ........ ........ ........"},
        {0, 4.5, 7.2, false, 0, ".aaaaaaa .aaaaaaa .aaaaaaa .aaaaaaa .aaaaaaa .aaaaaaa .aaaaaaa ........"},
        {0, 2.5, 7.2, false, 0, "........ aaaaaaa. aaaaaaa. aaaaaaa. aaaaaaa. aaaaaaa. aaaaaaa. aaaaaaa."},
    };
    TestPicture picture;
    picture.MakeDecoded(4, 4, 1);
    for (const auto& c : cases) {
        // Spans at the edges are about coverage alone, so their picture is one letter.
        for (int at = 0; at < 16; ++at) picture.Byte(at % 4, at / 4, 0) = c.destSize == 7.2 ? 'a' : 'a' + at;
        Canvas canvas;
        SizeCanvas(&canvas, 8, 8);
        canvas.Fill(Colour{'.', '.', '.', 0});
        const std::int32_t size = 4 - 2 * c.inset;
        DrawScaledImage(&canvas, &picture.image, c.inset, c.inset, size, size, c.masked ? &mask : nullptr, c.averaging, c.centre, c.centre, c.destSize, c.destSize);
        EXPECT_EQ(CanvasLetters(canvas), c.rows) << "centre " << c.centre << ", size " << c.destSize << ", averaging " << c.averaging;
    }

    // A footprint of 80 pixels a side, more than the offsets worked out ahead: 16 of the 80
    // columns are 255, a mean of 51.
    picture.MakeDecoded(80, 1, 1);
    for (int x = 64; x < 80; ++x) picture.Byte(x, 0, 0) = 255;
    Canvas canvas;
    SizeCanvas(&canvas, 8, 8);
    DrawScaledImage(&canvas, &picture.image, 0, 0, 80, 80, nullptr, 1, 1.5, 1.5, 1.0, 1.0);
    EXPECT_EQ(CanvasRgb(canvas, 1, 1), "51 51 51");
}

// A 4 × 2 colour picture whose rows take exactly 12 bytes in a buffer of exactly 24: the bottom
// row is the buffer's last, and its last pixel ends the buffer. Enlarged twice onto 8 × 4, the
// bottom canvas row maps to picture row 0 (fy 0); column 7 to x 3.5, past the last column, which
// is repeated: pixel (3, 0) itself; column 5 to x 2.5, halfway from (2, 0) to (3, 0): red 202.5,
// blue 26. Every way of drawing reads nothing past the buffer's end.
TEST(DrawScaledImage, AnEnlargedPictureIsReadNoFurtherThanItsBuffer) {
    TestPicture picture;
    picture.MakeDecoded(4, 2, 3);
    picture.bytes = std::vector<unsigned char>(24);  // no spare capacity to hide a read past it
    picture.image.data = picture.bytes.data();
    for (int x = 0; x < 4; ++x) {
        for (int y = 0; y < 2; ++y) {
            picture.Byte(x, y, 0) = static_cast<unsigned char>(10 * x + 1);
            picture.Byte(x, y, 1) = static_cast<unsigned char>(100 + y);
            picture.Byte(x, y, 2) = static_cast<unsigned char>(200 + x);
        }
    }
    for (const bool vector : {false, true}) {
        for (const bool wide : {false, HasWideVectors()}) {
            g_vectorInterpolation = vector && TESSELON_VECTOR_TERMS;
            g_wideInterpolation = wide;
            Canvas canvas;
            SizeCanvas(&canvas, 8, 4);
            DrawScaledImage(&canvas, &picture.image, 0, 0, 4, 2, nullptr, 0, 4.0, 2.0, 8.0, 4.0);
            EXPECT_EQ(CanvasRgb(canvas, 7, 0) + ", " + CanvasRgb(canvas, 5, 0), "203 100 31, 202 100 26")
                << "vector " << vector << ", wide " << wide;
        }
    }
    g_vectorInterpolation = TESSELON_VECTOR_TERMS;
    g_wideInterpolation = HasWideVectors();
}

namespace {

// 96-pixel pieces of a 120 × 120 grey picture whose pixel (x, y) is x + y + 1, so that none is
// black, drawn onto a 300 × 300 canvas through the view of a 300 × 300 table.
class DrawPieceTest : public testing::Test {
protected:
    void SetUp() override {
        SizeCanvas(&canvas, 300, 300);
        view.canvas = &canvas;
        view.tableWidth = view.tableHeight = 300;
        g_view = &view;
        picture.MakeDecoded(120, 120, 1);
        for (int at = 0; at < 120 * 120; ++at) picture.Byte(at % 120, at / 120, 0) = static_cast<unsigned char>(at % 120 + at / 120 + 1);
        g_sourceImage = &picture.image;
        g_maskSize = 96;
    }

    void TearDown() override {
        g_view = nullptr;
        g_sourceImage = nullptr;
        g_maskSize = 0;
    }

    Canvas canvas;
    View view;
    TestPicture picture;
};

}  // namespace

// At scale k, table point (100, 100) lies 50 k canvas pixels left of and below the canvas centre;
// a translation of 50 k − 50 puts the piece's centre on canvas point (100, 100). Scale 0.25: step
// 96 / 24.5 = 3.918, and canvas pixel (101, 100) maps to (51.918, 48). Averaged, columns 51, 53, 54
// and rows 48, 49, 50: 1 + 915 / 9 = 102.67; interpolated, 1 + 99.918. Scale 0.95: step
// 96 / 91.7 = 1.047 is not above 1.1, so interpolated: (111, 111) maps to (59.516, 59.516),
// 1 + 119.03 (a single sample would give 119).
TEST_F(DrawPieceTest, AveragingServesOnlyWhereAllowedAndThePictureShrinksBeyondOnePointOne) {
    const struct { double scale; std::int16_t allowAveraging; int x, y, grey; } cases[] = {
        {0.25, 1, 101, 100, 102}, {0.25, 0, 101, 100, 100}, {0.95, 1, 111, 111, 120}};
    for (const auto& c : cases) {
        canvas.Fill(Colour());
        view.toCanvas[0][0] = view.toCanvas[1][1] = c.scale;
        view.toCanvas[0][2] = view.toCanvas[1][2] = 50 * c.scale - 50;
        DrawPiece(100.0, 100.0, 0, 0, nullptr, c.allowAveraging, 96.0, 96.0);
        const std::string grey = std::to_string(c.grey);
        EXPECT_EQ(CanvasRgb(canvas, c.x, c.y), grey + " " + grey + " " + grey) << c.scale << ", averaging " << c.allowAveraging;
    }
}

TEST_F(DrawPieceTest, NothingIsDrawnWithoutACanvasAPictureOrFiniteNumbers) {
    const auto draw = [](double tableX) { DrawPiece(tableX, 100.0, 0, 0, nullptr, 1, 96.0, 96.0); };
    g_sourceImage = nullptr;
    draw(100.0);
    g_sourceImage = &picture.image;
    picture.image.loaded = 0;
    draw(100.0);
    picture.image.loaded = 1;
    for (const double bad : {double(NAN), double(INFINITY), 1e300}) {
        draw(bad);
        view.toCanvas[0][0] = bad;
        draw(100.0);
        view.toCanvas[0][0] = 1.0;
    }
    view.canvas = nullptr;
    draw(100.0);
    EXPECT_EQ(CanvasBytes(canvas), std::vector<unsigned char>(300 * 300 * 3, 0));

    // A canvas whose size was refused keeps its size but has no working image.
    view.canvas = &canvas;
    canvas.Resize(40000, 40000, 9);
    ASSERT_TRUE(canvas.pixels == nullptr && canvas.width > 0);
    draw(100.0);
}
