#include "imaging/draw_scaled_image.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "imaging/plot_pixel.h"
#include "imaging/sample_bilinear.h"
#include "imaging/sample_box_average.h"
#include "test_pictures.h"

namespace {

// A 12 × 12 colour picture whose pixel (x, y) is red 10 x, green 10 y, blue 7, and a 20 × 20
// canvas of red 1, green 2, blue 3. A 4 × 4 source drawn 4 × 4 wide has a step of exactly 1:
// centred on (10, 10) it visits columns and rows 7 to 12, and canvas pixel (8 + i, 8 + j) shows
// source pixel (i, j) at the exact picture pixel, where the mask lets it.
class DrawScaledImageTest : public testing::Test {
protected:
    void SetUp() override {
        picture.MakeDecoded(12, 12, 3);
        for (int y = 0; y < 12; ++y) {
            for (int x = 0; x < 12; ++x) {
                picture.Byte(x, y, 0) = 7;
                picture.Byte(x, y, 1) = static_cast<unsigned char>(10 * y);
                picture.Byte(x, y, 2) = static_cast<unsigned char>(10 * x);
            }
        }
        SizeCanvas(&canvas, 20, 20);
        Colour ground;
        ground.red = 1;
        ground.green = 2;
        ground.blue = 3;
        canvas.Fill(ground);
    }

    void DrawSquare(std::int32_t sourceX, std::int32_t sourceY, const unsigned char* mask, double centreX = 10.0,
                    double centreY = 10.0) {
        DrawScaledImage(&canvas, &picture.image, sourceX, sourceY, 4, 4, mask, 1, centreX, centreY, 4.0, 4.0);
    }

    static std::string Picture(int x, int y) { return std::to_string(10 * x) + " " + std::to_string(10 * y) + " 7"; }

    TestPicture picture;
    Canvas canvas;
};

}  // namespace

TEST_F(DrawScaledImageTest, TheMaskKeepsPixelsWhoseByteIsNotZero) {
    const unsigned char mask[16] = {255, 0, 255, 255,  //
                                    0,   0, 0,   0,    //
                                    1,   255, 255, 0,  //
                                    255, 255, 255, 255};
    DrawSquare(3, 5, mask);
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 20; ++x) {
            const int i = x - 8;
            const int j = y - 8;
            const bool kept = i >= 0 && i < 4 && j >= 0 && j < 4 && mask[j * 4 + i] != 0;
            EXPECT_EQ(CanvasRgb(canvas, x, y), kept ? Picture(3 + i, 5 + j) : "1 2 3") << x << ", " << y;
        }
    }
}

TEST_F(DrawScaledImageTest, OnlyWhatLiesInsideBothThePictureAndTheCanvasIsDrawn) {
    // Over the picture's left edge the first two source columns (-2 and -1) have no pixels.
    DrawSquare(-2, 0, nullptr);
    EXPECT_EQ(CanvasRgb(canvas, 8, 8), "1 2 3");
    EXPECT_EQ(CanvasRgb(canvas, 9, 11), "1 2 3");
    EXPECT_EQ(CanvasRgb(canvas, 10, 8), Picture(0, 0));
    EXPECT_EQ(CanvasRgb(canvas, 11, 11), Picture(1, 3));

    // Over its right edge the last two (12 and 13) have none.
    SetUp();
    DrawSquare(10, 0, nullptr);
    EXPECT_EQ(CanvasRgb(canvas, 9, 8), Picture(11, 0));
    EXPECT_EQ(CanvasRgb(canvas, 10, 8), "1 2 3");
    EXPECT_EQ(CanvasRgb(canvas, 11, 8), "1 2 3");

    // Centred on (1, 19) the square covers columns -1 to 2 and rows 17 to 20: only columns 0 to 2
    // and rows 17 to 19 are on the canvas.
    SetUp();
    const std::vector<unsigned char> ground = CanvasBytes(canvas);
    const std::vector<unsigned char> whole(16, 255);
    DrawSquare(4, 4, whole.data(), 1.0, 19.0);
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 20; ++x) {
            const bool drawn = x <= 2 && y >= 17;
            EXPECT_EQ(CanvasRgb(canvas, x, y), drawn ? Picture(4 + x + 1, 4 + y - 17) : "1 2 3") << x << ", " << y;
        }
    }

    // Wholly off the canvas, however far, nothing is drawn. (Columns are truncated toward zero,
    // so a square whose right edge lies half a pixel left of the canvas still touches column 0.)
    SetUp();
    for (const auto& [x, y] : {std::pair{-3.5, 10.0}, {23.0, 10.0}, {10.0, -3.5}, {10.0, 23.0}, {-1e300, 1e300},
                               {3e9, 3e9}}) {
        DrawSquare(4, 4, nullptr, x, y);
    }
    EXPECT_EQ(CanvasBytes(canvas), ground);
}

TEST_F(DrawScaledImageTest, TransparentPicturesBlendWithWhatIsBelow) {
    // Straight alpha 127 is transparency 128: (1 × 128 + 250 × 127) / 255 = 125.0,
    // (2 × 128 + 0) / 255 = 1.0, (3 × 128 + 200 × 127) / 255 = 101.1. Alpha 0 leaves the
    // canvas, alpha 255 replaces it.
    TestPicture alpha;
    alpha.MakeDecoded(4, 1, 4);
    for (int x = 0; x < 4; ++x) {
        alpha.Byte(x, 0, 0) = 200;
        alpha.Byte(x, 0, 2) = 250;
    }
    alpha.Byte(0, 0, 3) = 127;
    alpha.Byte(1, 0, 3) = 127;
    alpha.Byte(2, 0, 3) = 0;
    alpha.Byte(3, 0, 3) = 255;
    // Picture row 0 sits at canvas row 8: rows 9 to 11 sample outside the picture.
    DrawScaledImage(&canvas, &alpha.image, 0, 0, 4, 4, nullptr, 1, 10.0, 10.0, 4.0, 4.0);
    EXPECT_EQ(CanvasRgb(canvas, 8, 8), "125 1 101");
    EXPECT_EQ(CanvasRgb(canvas, 9, 8), "125 1 101");
    EXPECT_EQ(CanvasRgb(canvas, 10, 8), "1 2 3");
    EXPECT_EQ(CanvasRgb(canvas, 11, 8), "250 0 200");
    EXPECT_EQ(CanvasRgb(canvas, 11, 9), "1 2 3");
}

TEST_F(DrawScaledImageTest, SizesThatAreNotNumbersDrawNothingAndTinyOnesOnePixel) {
    const std::vector<unsigned char> ground = CanvasBytes(canvas);
    for (double bad : {double(NAN), double(INFINITY), 0.0, -0.0})
        DrawScaledImage(&canvas, &picture.image, 0, 0, 4, 4, nullptr, 1, 10.0, 10.0, bad, bad);
    EXPECT_EQ(CanvasBytes(canvas), ground);

    // A tiny destination makes a huge step: of the 2 × 2 pixels visited only (10, 10) maps into
    // the picture, at (2, 2), and its footprint of 2^31 - 1 steps a side holds that one sample.
    DrawScaledImage(&canvas, &picture.image, 0, 0, 4, 4, nullptr, 1, 10.0, 10.0, 1e-300, 1e-300);
    std::vector<unsigned char> expected = ground;
    expected[(10 * 20 + 10) * 3] = 20;
    expected[(10 * 20 + 10) * 3 + 1] = 20;
    expected[(10 * 20 + 10) * 3 + 2] = 7;
    EXPECT_EQ(CanvasBytes(canvas), expected);
}

namespace {

struct Square {
    std::int32_t sourceX;
    std::int32_t sourceY;
    std::int32_t size;
    const unsigned char* mask;
    double centreX;
    double centreY;
    double destSize;
};

// Draws the square on a 64 × 64 canvas and checks every canvas pixel against the samplers at the
// pixel's picture point.
void ExpectDrawnAsSampled(const SourceImage& image, const Square& square, std::int16_t averaging) {
    Canvas canvas;
    SizeCanvas(&canvas, 64, 64);
    Colour ground;
    ground.red = 90;
    canvas.Fill(ground);
    const std::vector<unsigned char> before = CanvasBytes(canvas);
    DrawScaledImage(&canvas, &image, square.sourceX, square.sourceY, square.size, square.size, square.mask, averaging,
                    square.centreX, square.centreY, square.destSize, square.destSize);

    const double step = square.size / square.destSize;
    const double half = std::trunc(square.size / step * 0.5);
    const double u[2] = {step, 0.0};
    const double v[2] = {0.0, step};
    for (int y = 0; y < 64; ++y) {
        for (int x = 0; x < 64; ++x) {
            std::uint8_t expected[3] = {before[(y * 64 + x) * 3], 0, 0};
            const bool visited = x >= std::trunc(square.centreX - half - 0.5) && x <= std::trunc(square.centreX + half + 0.5) &&
                                 y >= std::trunc(square.centreY - half - 0.5) && y <= std::trunc(square.centreY + half + 0.5);
            const double px = (x - square.centreX) * step + square.size / 2 + square.sourceX;
            const double py = (y - square.centreY) * step + square.size / 2 + square.sourceY;
            const int mx = static_cast<int>(std::trunc(px)) - square.sourceX;
            const int my = static_cast<int>(std::trunc(py)) - square.sourceY;
            const bool masked = square.mask == nullptr ||
                                (mx >= 0 && mx < square.size && my >= 0 && my < square.size && square.mask[my * square.size + mx] != 0);
            Colour sample;
            const bool sampled = averaging != 0 && step > 1.1 ? SampleBoxAverage(image, px, py, u, v, &sample)
                                                              : SampleBilinear(image, px, py, &sample);
            if (visited && masked && sampled) BlendColour(expected, sample);
            const unsigned char* drawn = canvas.pixels + (y * 64 + x) * 3;
            ASSERT_TRUE(drawn[0] == expected[0] && drawn[1] == expected[1] && drawn[2] == expected[2])
                << "pixel " << x << ", " << y << " at destination size " << square.destSize
                << (averaging ? " averaged" : "");
        }
    }
}

}  // namespace

// Drawing reads the picture with readers chosen once per square and averages footprints row by
// row; every pixel must still be what the samplers give at its picture point, whatever the
// storage, the step and the mask.
TEST(DrawScaledImage, EveryPixelIsWhatTheSamplersGiveAtItsPicturePoint) {
    TestPicture colour;
    colour.MakeDecoded(37, 29, 4);
    for (std::size_t i = 0; i < colour.bytes.size(); ++i) colour.bytes[i] = static_cast<unsigned char>(i * 37 % 251);
    TestPicture grey;
    grey.MakeDecoded(37, 29, 1);
    for (std::size_t i = 0; i < grey.bytes.size(); ++i) grey.bytes[i] = static_cast<unsigned char>(i * 11 % 256);
    std::vector<unsigned char> samples(2880 + 37 * 29 * 8);
    for (std::size_t i = 2880; i < samples.size(); ++i) samples[i] = static_cast<unsigned char>(i * 13 % 256);
    TestPicture fits16;
    ASSERT_TRUE(fits16.MakeRaster(ImageStorage::FitsFile, 16, 37, 29, 2880, samples, "sixteen.fits"));
    for (std::size_t i = 2880; i < samples.size(); i += 8) samples[i] = 0x3F;  // doubles of about 0.0 … 1.0
    TestPicture fits64;
    ASSERT_TRUE(fits64.MakeRaster(ImageStorage::FitsFile, -64, 37, 29, 2880, samples, "double.fits"));
    TestPicture pds;
    ASSERT_TRUE(pds.MakeRaster(ImageStorage::PdsFile, 16, 37, 29, 2880, samples, "sixteen.img"));
    std::vector<unsigned char> mask(24 * 24, 255);
    for (int i = 0; i < 24 * 24; i += 7) mask[i] = 0;

    for (TestPicture* picture : {&colour, &grey, &fits16, &fits64, &pds}) {
        for (double destSize : {40.3, 24.5, 9.7, 7.1, 5.9}) {
            for (std::int16_t averaging : {0, 1})
                ExpectDrawnAsSampled(picture->image, Square{10, 4, 24, mask.data(), 30.3, 29.6, destSize}, averaging);
        }
    }

    // A footprint 80 pixels a side, at the picture's corner and against its far edges.
    TestPicture wide;
    wide.MakeDecoded(300, 200, 3);
    for (std::size_t i = 0; i < wide.bytes.size(); ++i) wide.bytes[i] = static_cast<unsigned char>(i * 7 % 253);
    ExpectDrawnAsSampled(wide.image, Square{0, 0, 160, nullptr, 1.0, 1.0, 2.0}, 1);
    ExpectDrawnAsSampled(wide.image, Square{150, 50, 160, nullptr, 1.0, 1.0, 2.0}, 1);
}
