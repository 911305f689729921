#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "imaging/draw_piece.h"
#include "imaging/draw_scaled_image.h"
#include "imaging/plot_pixel.h"
#include "imaging/sample_bilinear.h"
#include "imaging/sample_box_average.h"
#include "model/geometry.h"
#include "render/view.h"
#include "test_pictures.h"

namespace {

struct Square {
    std::int32_t sourceX, sourceY, size;
    double centreX, centreY, destSize;
};

// Draws the square with its mask on a 64 × 64 canvas and checks every canvas pixel against the
// samplers at the pixel's picture point, found by the rules of drawing.
void ExpectDrawnAsSampled(const SourceImage& image, const Square& square, const unsigned char* mask,
                          std::int16_t averaging) {
    SCOPED_TRACE(testing::Message() << "destination size " << square.destSize << (averaging ? ", averaged" : ""));
    Canvas canvas;
    SizeCanvas(&canvas, 64, 64);
    canvas.Fill(Colour{90, 0, 0, 0});
    DrawScaledImage(&canvas, &image, square.sourceX, square.sourceY, square.size, square.size, mask, averaging,
                    square.centreX, square.centreY, square.destSize, square.destSize);
    const double step = square.size / square.destSize;
    const double half = std::trunc(square.size / step * 0.5);
    const auto visited = [&](int at, double centre) {
        return at >= std::trunc(centre - half - 0.5) && at <= std::trunc(centre + half + 0.5);
    };
    const double uv[4] = {step, 0.0, 0.0, step};
    for (int at = 0; at < 64 * 64; ++at) {
        const int x = at % 64;
        const int y = at / 64;
        const double px = (x - square.centreX) * step + square.size / 2 + square.sourceX;
        const double py = (y - square.centreY) * step + square.size / 2 + square.sourceY;
        // Beyond the picture the mask does not matter; the clamp keeps the truncation defined.
        const int mx = static_cast<int>(std::clamp(px, -1.0, 1e9)) - square.sourceX;
        const int my = static_cast<int>(std::clamp(py, -1.0, 1e9)) - square.sourceY;
        const bool masked = mask == nullptr || (mx >= 0 && mx < square.size && my >= 0 && my < square.size &&
                                                mask[my * square.size + mx] != 0);
        Colour sample;
        const bool sampled = averaging != 0 && step > 1.1 ? SampleBoxAverage(image, px, py, uv, uv + 2, &sample)
                                                          : SampleBilinear(image, px, py, &sample);
        std::uint8_t expected[3] = {90, 0, 0};
        if (visited(x, square.centreX) && visited(y, square.centreY) && masked && sampled) BlendColour(expected, sample);
        ASSERT_EQ(CanvasRgb(canvas, x, y), Rgb(expected)) << "pixel " << x << ", " << y;
    }
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

// Drawing chooses a reader once per square and averages footprints row by row; every pixel must
// still be what the samplers give at its picture point, whatever the storage, step and mask, also
// where the square hangs over the edges of the picture and the canvas.
TEST(DrawScaledImage, EveryPixelIsWhatTheSamplersGiveAtItsPicturePoint) {
    TestPicture colour;
    colour.MakeDecoded(37, 29, 4);
    for (std::size_t i = 0; i < colour.bytes.size(); ++i) colour.bytes[i] = static_cast<unsigned char>(i * 37 % 251);
    TestPicture grey;
    grey.MakeDecoded(37, 29, 1);
    for (std::size_t i = 0; i < grey.bytes.size(); ++i) grey.bytes[i] = static_cast<unsigned char>(i * 11 % 256);
    std::vector<unsigned char> samples(37 * 29 * 2);
    for (std::size_t i = 0; i < samples.size(); ++i) samples[i] = static_cast<unsigned char>(i * 13 % 256);
    TestPicture fits;
    fits.MakeRaster(ImageStorage::FitsFile, 16, 37, 29, 0, samples);
    std::vector<unsigned char> mask(24 * 24, 255);
    for (std::size_t i = 0; i < mask.size(); i += 7) mask[i] = 0;
    for (TestPicture* picture : {&colour, &grey, &fits}) {
        for (const double destSize : {40.3, 24.5, 15.0, 9.7, 7.1, 5.9}) {
            for (const std::int16_t averaging : {0, 1}) {
                ExpectDrawnAsSampled(picture->image, Square{-6, -8, 24, 10.3, 9.6, destSize}, mask.data(), averaging);
                ExpectDrawnAsSampled(picture->image, Square{25, 20, 24, 55.3, 54.6, destSize}, mask.data(), averaging);
            }
        }
    }
    // A footprint of 80 pixels a side, more than is worked out ahead, over the far edges; and one
    // of 2^31 − 1 steps a side, which holds a single sample and must not take long to find it.
    TestPicture wide;
    wide.MakeDecoded(300, 200, 3);
    for (std::size_t i = 0; i < wide.bytes.size(); ++i) wide.bytes[i] = static_cast<unsigned char>(i * 7 % 253);
    ExpectDrawnAsSampled(wide.image, Square{150, 50, 160, 1.0, 1.0, 2.0}, nullptr, 1);
    ExpectDrawnAsSampled(wide.image, Square{0, 0, 4, 10.0, 10.0, 1e-300}, nullptr, 1);
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
        for (int at = 0; at < 120 * 120; ++at)
            picture.Byte(at % 120, at / 120, 0) = static_cast<unsigned char>(at % 120 + at / 120 + 1);
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

TEST_F(DrawPieceTest, AtScaleOneTheSquareVisitsNinetyEightColumnsAndRows) {
    // destWidth 96.5, step 96 / 96.5, half 48: columns and rows trunc(51.5) = 51 to
    // trunc(148.5) = 148. From picture column and row 10 every visited pixel samples inside the
    // picture (9.25 to 105.75).
    DrawPiece(100.0, 100.0, 10, 10, nullptr, 1, 96.0, 96.0);
    for (int at = 0; at < 300 * 300; ++at) {
        const bool visited = at % 300 >= 51 && at % 300 <= 148 && at / 300 >= 51 && at / 300 <= 148;
        ASSERT_EQ(canvas.pixels[at * 3] != 0, visited) << "pixel " << at % 300 << ", " << at / 300;
    }
}

TEST_F(DrawPieceTest, OnlyPixelsInsideTheMaskAndThePictureAreDrawn) {
    // 95.5 table units at scale 1 are 96 canvas pixels, a step of exactly 1: canvas pixel
    // (52 + i, 52 + j) shows picture pixel (i − 2, 30 + j), where mask byte j × 96 + i is not 0.
    // The two columns left of the picture and the six rows above it stay black whatever the mask.
    std::vector<unsigned char> mask(96 * 96, 255);
    for (std::size_t i = 0; i < mask.size(); i += 7) mask[i] = 0;
    for (std::size_t i = 0; i < mask.size(); i += 5) mask[i] = mask[i] == 0 ? 0 : 1;
    DrawPiece(100.0, 100.0, -2, 30, mask.data(), 1, 95.5, 95.5);
    for (int at = 0; at < 300 * 300; ++at) {
        const int i = at % 300 - 52;
        const int j = at / 300 - 52;
        const bool kept = i >= 2 && i < 96 && j >= 0 && j < 90 && mask[j * 96 + i] != 0;
        ASSERT_EQ(canvas.pixels[at * 3], kept ? i - 2 + 30 + j + 1 : 0) << "pixel " << at % 300 << ", " << at / 300;
    }
}

TEST_F(DrawPieceTest, AveragingServesOnlyWhereAllowedAndThePictureShrinksBeyondOnePointOne) {
    // At scale k, table point (100, 100) lies 50 k canvas pixels left of and below the canvas
    // centre; a translation of 50 k − 50 puts the piece's centre on canvas point (100, 100).
    const struct {
        double scale;
        std::int16_t allowAveraging;
        int x, y, grey;
    } cases[] = {
        // Scale 0.25: step 96 / 24.5 = 3.918. Canvas pixel (101, 100) maps to (51.918, 48).
        // Averaged, columns 51, 53, 54 and rows 48, 49, 50: 1 + 915 / 9 = 102.67. Interpolated:
        // 1 + 99.918.
        {0.25, 1, 101, 100, 102}, {0.25, 0, 101, 100, 100},
        // Scale 0.5: step 96 / 48.5 = 1.979, one sample a pixel. (101, 101) maps to
        // (49.979, 49.979): averaged 1 + 49 + 49, interpolated 1 + 99.959.
        {0.5, 1, 101, 101, 99}, {0.5, 0, 101, 101, 100},
        // Scale 0.95: step 96 / 91.7 = 1.047 is not above 1.1, so interpolated either way:
        // (111, 111) maps to (59.516, 59.516), 1 + 119.03 (a single sample would give 119).
        {0.95, 1, 111, 111, 120}, {0.95, 0, 111, 111, 120},
    };
    for (const auto& c : cases) {
        canvas.Fill(Colour());
        view.toCanvas[0][0] = view.toCanvas[1][1] = c.scale;
        view.toCanvas[0][2] = view.toCanvas[1][2] = 50 * c.scale - 50;
        DrawPiece(100.0, 100.0, 0, 0, nullptr, c.allowAveraging, 96.0, 96.0);
        EXPECT_EQ(CanvasRgb(canvas, c.x, c.y), std::to_string(c.grey) + " " + std::to_string(c.grey) + " " +
                                                   std::to_string(c.grey))
            << "scale " << c.scale << (c.allowAveraging ? ", averaging allowed" : "");
    }
}

TEST_F(DrawPieceTest, NothingIsDrawnWithoutACanvasAPictureOrFiniteNumbers) {
    const std::vector<unsigned char> black = CanvasBytes(canvas);
    const auto draw = [](double tableX, double tableY) { DrawPiece(tableX, tableY, 0, 0, nullptr, 1, 96.0, 96.0); };
    g_sourceImage = nullptr;
    draw(100.0, 100.0);
    g_sourceImage = &picture.image;
    picture.image.loaded = 0;
    draw(100.0, 100.0);
    picture.image.loaded = 1;
    for (const double bad : {double(NAN), double(INFINITY), -double(INFINITY), 1e300}) {
        draw(bad, 100.0);
        draw(100.0, bad);
        view.toCanvas[0][0] = bad;
        draw(100.0, 100.0);
        view.toCanvas[0][0] = 1.0;
    }
    view.canvas = nullptr;
    draw(100.0, 100.0);
    view.canvas = &canvas;
    g_view = nullptr;
    draw(100.0, 100.0);
    EXPECT_EQ(CanvasBytes(canvas), black);

    // A canvas whose size was refused keeps its size but has no working image; one of no pixels
    // has nowhere to draw.
    g_view = &view;
    canvas.Resize(40000, 40000, 9);
    ASSERT_TRUE(canvas.pixels == nullptr && canvas.width > 0);
    draw(100.0, 100.0);
    canvas.Resize(0, 0, 1);
    draw(100.0, 100.0);
}
