#include "imaging/sample_pixel.h"

#include <gtest/gtest.h>

#include "test_pictures.h"

namespace {

Colour Filled() {
    Colour colour;
    colour.red = colour.green = colour.blue = colour.transparency = 99;
    return colour;
}

}  // namespace

TEST(SamplePixel, DecodedBuffersAreBlueGreenRedWithTheirTopRowFirst) {
    TestPicture picture;
    picture.MakeDecoded(2, 4, 3);
    ASSERT_EQ(picture.image.rowStride, 8);
    // The buffer's first row is the top of the picture, row 3; its last row is row 0.
    picture.bytes[3] = 10;
    picture.bytes[4] = 20;
    picture.bytes[5] = 30;
    picture.bytes[3 * 8 + 0] = 1;
    picture.bytes[3 * 8 + 1] = 2;
    picture.bytes[3 * 8 + 2] = 3;
    Colour colour = Filled();
    EXPECT_TRUE(SamplePixel(picture.image, 1, 3, &colour));
    EXPECT_EQ(Channels(colour), "30 20 10 0");
    EXPECT_TRUE(SamplePixel(picture.image, 0, 0, &colour));
    EXPECT_EQ(Channels(colour), "3 2 1 0");
}

TEST(SamplePixel, GreyAndAlphaChannels) {
    TestPicture grey;
    grey.MakeDecoded(3, 2, 1);
    grey.Byte(2, 1, 0) = 77;
    Colour colour;
    EXPECT_TRUE(SamplePixel(grey.image, 2, 1, &colour));
    EXPECT_EQ(Channels(colour), Grey(77));

    // The fourth byte is straight alpha, 255 opaque; transparency runs the other way.
    TestPicture alpha;
    alpha.MakeDecoded(2, 1, 4);
    alpha.Byte(0, 0, 3) = 255;
    alpha.Byte(1, 0, 0) = 5;
    alpha.Byte(1, 0, 3) = 0;
    EXPECT_TRUE(SamplePixel(alpha.image, 0, 0, &colour));
    EXPECT_EQ(Channels(colour), "0 0 0 0");
    EXPECT_TRUE(SamplePixel(alpha.image, 1, 0, &colour));
    EXPECT_EQ(Channels(colour), "0 0 5 255");
}

TEST(SamplePixel, NoPixelOutsideThePictureOrWhileNothingIsLoaded) {
    TestPicture picture;
    picture.MakeDecoded(3, 2, 3);
    std::fill(picture.bytes.begin(), picture.bytes.end(), 200);
    for (const auto& [x, y] : {std::pair{3, 0}, {0, 2}, {-1, 0}, {0, -1}, {INT32_MIN, INT32_MAX}}) {
        Colour colour = Filled();
        EXPECT_FALSE(SamplePixel(picture.image, x, y, &colour)) << x << ", " << y;
        EXPECT_EQ(Channels(colour), "0 0 0 0");
    }
    picture.image.loaded = 0;
    Colour colour = Filled();
    EXPECT_FALSE(SamplePixel(picture.image, 0, 0, &colour));
    EXPECT_EQ(Channels(colour), "0 0 0 0");
}

TEST(SamplePixel, ABufferTooShortForItsSizeReadsBlackInsteadOfBeyondIt) {
    // Rows claimed 6 bytes long for 4 pixels of 3 bytes: the last pixels of the last row would
    // lie past the end of the 12-byte buffer.
    TestPicture picture;
    picture.MakeDecoded(4, 2, 3);
    picture.image.rowStride = 6;
    picture.bytes.assign(12, 50);
    picture.image.data = picture.bytes.data();
    Colour colour;
    EXPECT_TRUE(SamplePixel(picture.image, 1, 0, &colour));  // bytes 9 to 11
    EXPECT_EQ(Channels(colour), Grey(50));
    EXPECT_TRUE(SamplePixel(picture.image, 2, 0, &colour));  // bytes 12 to 14
    EXPECT_EQ(Channels(colour), "0 0 0 0");
    EXPECT_TRUE(SamplePixel(picture.image, 3, 1, &colour));  // bytes 9 to 11 of the first row
    EXPECT_EQ(Channels(colour), Grey(50));

    picture.image.data = nullptr;
    EXPECT_TRUE(SamplePixel(picture.image, 0, 0, &colour));
    EXPECT_EQ(Channels(colour), "0 0 0 0");
}
