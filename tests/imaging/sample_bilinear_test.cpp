#include "imaging/sample_bilinear.h"

#include <gtest/gtest.h>

#include <cmath>

#include "test_pictures.h"

TEST(SampleBilinear, InterpolatesBetweenTheFourPixelsAroundThePoint) {
    TestPicture picture;
    picture.MakeDecoded(2, 2, 1);
    picture.Byte(1, 0, 0) = 255;
    Colour colour;
    EXPECT_TRUE(SampleBilinear(picture.image, 0.5, 0.0, &colour));  // halfway from 0 to 255
    EXPECT_EQ(Channels(colour), Grey(127));

    // a = 0, b = 100, c = 200, d = 40 at fx = 0.25, fy = 0.5:
    // ((0 - 100 - 200 + 40) × 0.25 + 200) × 0.5 + (100 × 0.25 + 0) = 92.5.
    picture.Byte(1, 0, 0) = 100;
    picture.Byte(0, 1, 0) = 200;
    picture.Byte(1, 1, 0) = 40;
    EXPECT_TRUE(SampleBilinear(picture.image, 0.25, 0.5, &colour));
    EXPECT_EQ(Channels(colour), Grey(92));
    EXPECT_TRUE(SampleBilinear(picture.image, 1.0, 1.0, &colour));
    EXPECT_EQ(Channels(colour), Grey(40));
}

TEST(SampleBilinear, EdgePixelsRepeatWhereNeighboursAreMissing) {
    TestPicture picture;
    picture.MakeDecoded(3, 2, 1);
    picture.Byte(2, 0, 0) = 100;
    picture.Byte(2, 1, 0) = 201;
    picture.Byte(1, 0, 0) = 7;
    picture.Byte(1, 1, 0) = 7;
    Colour colour;
    // x = width - 0.25: only the vertical interpolation remains, 100 + 101 × 0.5 = 150.5.
    EXPECT_TRUE(SampleBilinear(picture.image, 2.75, 0.5, &colour));
    EXPECT_EQ(Channels(colour), Grey(150));
    // The top-right corner repeats one pixel in both directions.
    EXPECT_TRUE(SampleBilinear(picture.image, 2.9, 1.9, &colour));
    EXPECT_EQ(Channels(colour), Grey(201));
}

TEST(SampleBilinear, ColourChannelsAndTransparencyAreInterpolatedEachOnTheirOwn) {
    TestPicture picture;
    picture.MakeDecoded(2, 1, 4);
    // Left pixel blue 0, green 10, red 200, opaque; right pixel blue 100, green 30, red 0, clear.
    picture.Byte(0, 0, 1) = 10;
    picture.Byte(0, 0, 2) = 200;
    picture.Byte(0, 0, 3) = 255;
    picture.Byte(1, 0, 0) = 100;
    picture.Byte(1, 0, 1) = 30;
    Colour colour;
    EXPECT_TRUE(SampleBilinear(picture.image, 0.25, 0.0, &colour));
    EXPECT_EQ(Channels(colour), "150 15 25 63");  // 200 - 50, 10 + 5, 0 + 25, 0 + 63.75
}

TEST(SampleBilinear, NoPointOutsideThePicture) {
    TestPicture picture;
    picture.MakeDecoded(3, 2, 3);
    std::fill(picture.bytes.begin(), picture.bytes.end(), 90);
    for (const auto& [x, y] : {std::pair{3.0, 0.0}, {0.0, 2.0}, {-0.001, 0.0}, {0.0, -1e-9}, {NAN, 0.0},
                               {0.0, NAN}, {INFINITY, 0.0}, {1e300, 1e300}}) {
        Colour colour;
        colour.red = 5;
        EXPECT_FALSE(SampleBilinear(picture.image, x, y, &colour)) << x << ", " << y;
        EXPECT_EQ(Channels(colour), "0 0 0 0");
    }
    Colour colour;
    EXPECT_TRUE(SampleBilinear(picture.image, 2.999, 1.999, &colour));
    EXPECT_EQ(Channels(colour), Grey(90));
    picture.image.loaded = 0;
    EXPECT_FALSE(SampleBilinear(picture.image, 1.0, 1.0, &colour));
}
