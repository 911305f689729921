#include "imaging/sample_box_average.h"

#include <gtest/gtest.h>

#include <cmath>

#include "test_pictures.h"

namespace {

// A grey picture 5 wide and 6 high whose pixel (x, y) is 40 x + y.
void MakeRamp(TestPicture* picture) {
    picture->MakeDecoded(5, 6, 1);
    for (int y = 0; y < 6; ++y) {
        for (int x = 0; x < 5; ++x) picture->Byte(x, y, 0) = static_cast<unsigned char>(40 * x + y);
    }
}

int Average(TestPicture& picture, double x, double y, double ux, double uy, double vx, double vy) {
    const double u[2] = {ux, uy};
    const double v[2] = {vx, vy};
    Colour colour;
    colour.transparency = 1;
    if (!SampleBoxAverage(picture.image, x, y, u, v, &colour)) return -1;
    EXPECT_TRUE(colour.red == colour.green && colour.green == colour.blue && colour.transparency == 0);
    return colour.red;
}

}  // namespace

TEST(SampleBoxAverage, AShortFootprintIsOneSampleAtTheTruncatedCorner) {
    TestPicture picture;
    MakeRamp(&picture);
    EXPECT_EQ(Average(picture, 2.7, 3.9, 0.9, 0.0, 0.0, 0.9), 83);
    EXPECT_EQ(Average(picture, 2.7, 3.9, 0.0, 0.0, 0.0, 0.0), 83);
}

TEST(SampleBoxAverage, SamplesOutsideThePictureAreNeitherAddedNorCounted) {
    TestPicture picture;
    MakeRamp(&picture);
    // Columns 3, 4 and 5 (outside), rows 1, 2, 3: (121 + 122 + 123 + 161 + 162 + 163) / 6 = 142.
    EXPECT_EQ(Average(picture, 3.5, 1.0, 3.0, 0.0, 0.0, 3.0), 142);
    // Columns 0 and 1 of rows 4, 5 and 6 (outside): (4 + 44 + 5 + 45) / 4.
    EXPECT_EQ(Average(picture, 0.2, 4.0, 2.0, 0.0, 0.0, 3.0), (4 + 44 + 5 + 45) / 4);
    // Leftwards from column 1.5: 1.5, 0.5 and -0.5 truncate toward zero to columns 1, 0 and 0.
    EXPECT_EQ(Average(picture, 1.5, 2.0, -3.0, 0.0, 0.0, 0.5), (42 + 2 + 2) / 3);
}

TEST(SampleBoxAverage, ASkewedFootprintFollowsBothVectors) {
    TestPicture picture;
    MakeRamp(&picture);
    // u = (2, 2) is 2.83 long: two steps of (1, 1); v = (0, -2): two steps of (0, -1).
    // Points (1, 3), (2, 4), (1, 2), (2, 3): (43 + 84 + 42 + 83) / 4 = 63.
    EXPECT_EQ(Average(picture, 1.0, 3.0, 2.0, 2.0, 0.0, -2.0), 63);
}

TEST(SampleBoxAverage, ChannelsAreAveragedWithTheFractionDropped) {
    TestPicture picture;
    picture.MakeDecoded(2, 1, 4);
    picture.Byte(0, 0, 2) = 255;  // red 255, opaque
    picture.Byte(0, 0, 3) = 255;
    picture.Byte(1, 0, 0) = 1;  // blue 1, fully transparent
    const double u[2] = {2.0, 0.0};
    const double v[2] = {0.0, 1.0};
    Colour colour;
    EXPECT_TRUE(SampleBoxAverage(picture.image, 0.0, 0.0, u, v, &colour));
    EXPECT_EQ(Channels(colour), "127 0 0 127");
}

TEST(SampleBoxAverage, NoAverageFromACornerOutsideThePicture) {
    TestPicture picture;
    MakeRamp(&picture);
    EXPECT_EQ(Average(picture, -0.5, 0.0, 3.0, 0.0, 0.0, 3.0), -1);
    EXPECT_EQ(Average(picture, 5.0, 0.0, -3.0, 0.0, 0.0, 3.0), -1);
    EXPECT_EQ(Average(picture, NAN, 0.0, 1.0, 0.0, 0.0, 1.0), -1);
    // A footprint that is not a number samples nothing; an absurdly long one only its corner,
    // and at once.
    EXPECT_EQ(Average(picture, 1.0, 1.0, NAN, 0.0, 0.0, 1.0), -1);
    EXPECT_EQ(Average(picture, 1.0, 1.0, 1e300, 0.0, 0.0, -1e300), 41);
    EXPECT_EQ(Average(picture, 1.0, 1.0, -1e300, 0.0, 0.0, 1e300), 41);
    picture.image.loaded = 0;
    EXPECT_EQ(Average(picture, 1.0, 1.0, 1.0, 0.0, 0.0, 1.0), -1);
}
