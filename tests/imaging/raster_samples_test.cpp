#include "imaging/raster_samples.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "imaging/sample_pixel.h"
#include "test_pictures.h"

namespace {

// The grey levels SamplePixel gives for a one-row raster of `count` samples.
std::vector<int> RowOfGreys(TestPicture& picture, int count) {
    std::vector<int> greys;
    for (int x = 0; x < count; ++x) {
        Colour colour;
        EXPECT_TRUE(SamplePixel(picture.image, x, 0, &colour));
        EXPECT_TRUE(colour.red == colour.green && colour.green == colour.blue && colour.transparency == 0);
        greys.push_back(colour.red);
    }
    return greys;
}

std::vector<int> FitsRow(int bitpix, const std::vector<unsigned char>& samples, int count) {
    TestPicture picture;
    EXPECT_TRUE(picture.MakeRaster(ImageStorage::FitsFile, bitpix, count, 1, 0, samples, "row.fits"));
    return RowOfGreys(picture, count);
}

std::vector<int> PdsRow(int bits, SampleByteOrder order, SampleKind kind, const std::vector<unsigned char>& samples,
                        int count) {
    TestPicture picture;
    EXPECT_TRUE(picture.MakeRaster(ImageStorage::PdsFile, bits, count, 1, 0, samples, "row.img"));
    picture.raster.byteOrder = order;
    picture.raster.sampleKind = kind;
    return RowOfGreys(picture, count);
}

}  // namespace

TEST(FitsSamples, IntegerTypesMapFullScaleTo255AndWrapBeyondIt) {
    // 1/127 of full scale per step: 127 gives 255, 64 gives 128.75, -128 gives -257.5 which
    // truncates to -257 and wraps to 255, -1 gives -2 and 254.
    EXPECT_EQ(FitsRow(8, Bytes({0x7F, 0x40, 0x80, 0xFF, 0x00}), 5), (std::vector<int>{255, 128, 255, 254, 0}));
    // -1 gives -0.0078, truncated 0; -129 gives -1.006, truncated -1, wrapped 255; -32768 gives
    // -255.5078, truncated -255, wrapped 1.
    EXPECT_EQ(FitsRow(16, Bytes({0x7F, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F, 0x80, 0x00}), 4),
              (std::vector<int>{255, 0, 255, 1}));
    // Half scale gives 127.75.
    EXPECT_EQ(FitsRow(32, Bytes({0x7F, 0xFF, 0xFF, 0xFF, 0x40, 0x00, 0x00, 0x00}), 2), (std::vector<int>{255, 127}));
}

TEST(FitsSamples, FloatingSamplesAreTakenAsTheyAreAndNaNOrHugeGiveBlack) {
    // 1.0, 0.5, 2.0 (511 wraps to 255), -1.0 (-255 wraps to 1), NaN, 1e10, -infinity.
    EXPECT_EQ(FitsRow(-32,
                      Bytes({0x3F, 0x80, 0, 0, 0x3F, 0x00, 0, 0, 0x40, 0x00, 0, 0, 0xBF, 0x80, 0, 0, 0x7F, 0xC0, 0, 0,
                             0x50, 0x15, 0x02, 0xF9, 0xFF, 0x80, 0, 0}),
                      7),
              (std::vector<int>{255, 127, 255, 1, 0, 0, 0}));
    // 1.0 and 0.25 (63.875).
    EXPECT_EQ(FitsRow(-64, Bytes({0x3F, 0xF0, 0, 0, 0, 0, 0, 0, 0x3F, 0xD0, 0, 0, 0, 0, 0, 0}), 2),
              (std::vector<int>{255, 63}));
}

TEST(FitsSamples, RowsCountFromTheFirstStoredRowAndTheCursorFollowsDoubles) {
    // Three columns, two rows of doubles, 8 bytes in: sample (x, y) is number 3 y + x.
    std::vector<unsigned char> file(8 + 6 * 8, 0);
    file[8 + 5 * 8] = 0x3F;  // sample (2, 1) = 0.5
    file[8 + 5 * 8 + 1] = 0xE0;
    file[8 + 1 * 8] = 0xBF;  // sample (1, 0) = -1.0
    file[8 + 1 * 8 + 1] = 0xF0;
    TestPicture picture;
    ASSERT_TRUE(picture.MakeRaster(ImageStorage::FitsFile, -64, 3, 2, 8, file, "doubles.fits"));
    EXPECT_EQ(ReadFitsSample(&picture.raster, 2, 1), 0.5);
    EXPECT_EQ(picture.raster.file.position, 8u + 5 * 8 + 8);
    EXPECT_EQ(ReadFitsSample(&picture.raster, 1, 0), -1.0);
    EXPECT_EQ(picture.raster.file.position, 8u + 1 * 8 + 8);

    Colour colour;
    EXPECT_TRUE(SamplePixel(picture.image, 2, 1, &colour));
    EXPECT_EQ(Channels(colour), Grey(127));
    EXPECT_EQ(picture.raster.file.position, 8u + 5 * 8 + 8);

    for (const auto& [x, y] : {std::pair{3, 0}, {0, 2}, {-1, 0}, {0, -1}}) {
        EXPECT_EQ(ReadFitsSample(&picture.raster, x, y), 0.0) << x << ", " << y;
    }
}

TEST(FitsSamples, SamplesNotWhollyInsideTheFileReadAsBlack) {
    // Two rows of two 16-bit samples claimed, but only 7 bytes stored: the fourth sample has its
    // first byte only.
    TestPicture picture;
    ASSERT_TRUE(picture.MakeRaster(ImageStorage::FitsFile, 16, 2, 2, 0,
                                   Bytes({0x7F, 0xFF, 0x7F, 0xFF, 0x7F, 0xFF, 0x7F}), "short.fits"));
    EXPECT_GT(ReadFitsSample(&picture.raster, 0, 1), 0.99);
    EXPECT_EQ(ReadFitsSample(&picture.raster, 1, 1), 0.0);
    Colour colour;
    EXPECT_TRUE(SamplePixel(picture.image, 1, 1, &colour));
    EXPECT_EQ(Channels(colour), Grey(0));

    // A picture claiming two billion rows: its index must not wrap back into the file.
    picture.raster.height = picture.image.height = 2'000'000'000;
    picture.raster.width = picture.image.width = 2'000'000'000;
    EXPECT_EQ(ReadFitsSample(&picture.raster, 1'073'741'824, 1'073'741'824), 0.0);
    EXPECT_EQ(ReadFitsSample(&picture.raster, 0, 1'999'999'999), 0.0);

    picture.raster.sampleFormat = -64;
    picture.raster.file.position = 3;
    EXPECT_EQ(ReadFitsSample(&picture.raster, 1'999'999'999, 1'999'999'999), 0.0);
    EXPECT_EQ(picture.raster.file.position, 3u);
}

TEST(FitsSamples, AnUnreadSampleTypeIsBlackButStillAPixel) {
    TestPicture picture;
    ASSERT_TRUE(picture.MakeRaster(ImageStorage::FitsFile, 64, 1, 1, 0, Bytes({0x3F, 0xF0, 0, 0, 0, 0, 0, 0}),
                                   "long.fits"));
    EXPECT_EQ(ReadFitsSample(&picture.raster, 0, 0), 0.0);
    Colour colour;
    EXPECT_TRUE(SamplePixel(picture.image, 0, 0, &colour));
    EXPECT_EQ(Channels(colour), Grey(0));
    EXPECT_FALSE(SamplePixel(picture.image, 1, 0, &colour));
}

TEST(PdsSamples, EightAndSixteenBitSamplesShowTheirHighByte) {
    EXPECT_EQ(PdsRow(8, SampleByteOrder::Unstated, SampleKind::Unstated, Bytes({200, 7}), 2),
              (std::vector<int>{200, 7}));
    // Without a stated order the second byte shows; a stated order shows the most significant.
    EXPECT_EQ(PdsRow(16, SampleByteOrder::Unstated, SampleKind::Unstated, Bytes({0x34, 0x12, 0xFF, 0x01}), 2),
              (std::vector<int>{0x12, 0x01}));
    EXPECT_EQ(PdsRow(16, SampleByteOrder::LittleEndian, SampleKind::Integer, Bytes({0x34, 0x12}), 1),
              (std::vector<int>{0x12}));
    EXPECT_EQ(PdsRow(16, SampleByteOrder::BigEndian, SampleKind::Integer, Bytes({0x34, 0x12}), 1),
              (std::vector<int>{0x34}));
}

TEST(PdsSamples, ThirtyTwoBitSamplesShowTheirHighByteOrTheirRealValue) {
    EXPECT_EQ(PdsRow(32, SampleByteOrder::BigEndian, SampleKind::Integer, Bytes({0x12, 0x34, 0x56, 0x78}), 1),
              (std::vector<int>{0x12}));
    EXPECT_EQ(PdsRow(32, SampleByteOrder::LittleEndian, SampleKind::Integer, Bytes({0x78, 0x56, 0x34, 0x12}), 1),
              (std::vector<int>{0x12}));
    EXPECT_EQ(PdsRow(32, SampleByteOrder::Unstated, SampleKind::Unstated, Bytes({0x78, 0x56, 0x34, 0x12}), 1),
              (std::vector<int>{0x12}));
    // Real samples follow the FITS rule: 1.0 gives 255, 0.5 gives 127, NaN gives 0.
    EXPECT_EQ(PdsRow(32, SampleByteOrder::BigEndian, SampleKind::Real, Bytes({0x3F, 0x80, 0, 0, 0x7F, 0xC0, 0, 0}), 2),
              (std::vector<int>{255, 0}));
    EXPECT_EQ(PdsRow(32, SampleByteOrder::LittleEndian, SampleKind::Real, Bytes({0, 0, 0, 0x3F, 0, 0, 0x80, 0x3F}), 2),
              (std::vector<int>{127, 255}));
}

TEST(PdsSamples, SamplesAreCountedFromTheDataOffsetAndNeverReadOutsideTheFile) {
    // Two samples a row; sample (1, 1) is number 3, at 4 + 2 × 3.
    std::vector<unsigned char> file(4 + 4 * 2, 0);
    file[4 + 6] = 0x34;
    file[4 + 7] = 0x12;
    TestPicture picture;
    ASSERT_TRUE(picture.MakeRaster(ImageStorage::PdsFile, 16, 2, 2, 4, file, "offset.img"));
    Colour colour;
    colour.transparency = 9;
    ReadPdsSample(picture.raster, 1, 1, &colour);
    EXPECT_EQ(Channels(colour), "18 18 18 9");  // only the colour channels are written

    // A label whose image pointer names no record puts the data before the file's start.
    picture.raster.dataOffset = -2;
    ReadPdsSample(picture.raster, 0, 0, &colour);
    EXPECT_EQ(Channels(colour), "0 0 0 9");
    picture.raster.dataOffset = 5;  // the last sample lacks its second byte
    ReadPdsSample(picture.raster, 1, 1, &colour);
    EXPECT_EQ(Channels(colour), "0 0 0 9");

    picture.raster.sampleFormat = 12;
    picture.raster.dataOffset = 4;
    colour.red = 40;
    ReadPdsSample(picture.raster, 1, 1, &colour);
    EXPECT_EQ(Channels(colour), "40 0 0 9");  // nothing is read for an unsupported sample size
    EXPECT_TRUE(SamplePixel(picture.image, 1, 1, &colour));
    EXPECT_EQ(Channels(colour), Grey(0));
}
