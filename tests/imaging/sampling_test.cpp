#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "imaging/raster_samples.h"
#include "imaging/sample_bilinear.h"
#include "imaging/sample_box_average.h"
#include "imaging/sample_pixel.h"
#include "test_pictures.h"

namespace {

// "red green blue transparency" as the sampler leaves a colour it must overwrite, after "none "
// when it finds nothing.
template <typename Sampler>
std::string Sampled(Sampler sampler) {
    Colour c{99, 99, 99, 99};
    const bool found = sampler(&c);
    return (found ? "" : "none ") + std::to_string(c.red) + " " + std::to_string(c.green) + " " + std::to_string(c.blue) + " " +
           std::to_string(c.transparency);
}

std::string Pixel(const SourceImage& image, std::int32_t x, std::int32_t y) {
    return Sampled([&](Colour* colour) { return SamplePixel(image, x, y, colour); });
}

std::string Bilinear(const SourceImage& image, double x, double y) {
    return Sampled([&](Colour* colour) { return SampleBilinear(image, x, y, colour); });
}

// uv holds the footprint's u, then its v.
std::string Average(const SourceImage& image, double x, double y, const double (&uv)[4]) {
    return Sampled([&](Colour* colour) { return SampleBoxAverage(image, x, y, uv, uv + 2, colour); });
}

std::string Grey(int level) {
    const std::string text = std::to_string(level);
    return text + " " + text + " " + text + " 0";
}

}  // namespace

TEST(Samplers, NothingIsReadOutsideThePictureItsBufferOrItsFile) {
    TestPicture picture;
    picture.MakeDecoded(3, 2, 3);
    picture.bytes.assign(picture.bytes.size(), 90);
    for (const auto& [x, y] : {std::pair{3, 0}, {0, 2}, {-1, 0}, {0, -1}, {INT32_MIN, INT32_MAX}})
        EXPECT_EQ(Pixel(picture.image, x, y), "none 0 0 0 0") << x << ", " << y;
    for (const auto& [x, y] : {std::pair{3.0, 0.0}, {0.0, 2.0}, {-0.001, 0.0}, {0.0, -1e-9}, {NAN, 0.0}, {0.0, NAN},
                               {INFINITY, 0.0}, {1e300, 1e300}}) {
        EXPECT_EQ(Bilinear(picture.image, x, y) + ", " + Average(picture.image, x, y, {1.0, 0.0, 0.0, 1.0}),
                  "none 0 0 0 0, none 0 0 0 0") << x << ", " << y;
    }
    picture.image.loaded = 0;
    EXPECT_EQ(Pixel(picture.image, 0, 0) + ", " + Bilinear(picture.image, 1.0, 1.0) + ", " +
                  Average(picture.image, 1.0, 1.0, {1.0, 0.0, 0.0, 1.0}),
              "none 0 0 0 0, none 0 0 0 0, none 0 0 0 0");

    // Rows claimed 6 bytes long for 4 pixels of 3: row 0, the buffer's last, runs past the end of
    // the 12 bytes from its third pixel on; row 1 fits.
    picture.MakeDecoded(4, 2, 3);
    picture.image.rowStride = 6;
    picture.bytes = std::vector<unsigned char>(12, 50);  // no spare capacity to hide a read past it
    picture.image.data = picture.bytes.data();
    EXPECT_EQ(Pixel(picture.image, 1, 0) + ", " + Pixel(picture.image, 2, 0) + ", " + Pixel(picture.image, 3, 1),
              "50 50 50 0, 0 0 0 0, 50 50 50 0");
    picture.image.data = nullptr;
    EXPECT_EQ(Pixel(picture.image, 0, 0), Grey(0));

    // Two rows of two 16-bit FITS samples claimed in 7 bytes: the fourth has its first byte only.
    TestPicture fits;
    fits.MakeRaster(ImageStorage::FitsFile, 16, 2, 2, 0, {0x7F, 0xFF, 0x7F, 0xFF, 0x7F, 0xFF, 0x7F});
    EXPECT_EQ(Pixel(fits.image, 0, 1) + ", " + Pixel(fits.image, 1, 1), "255 255 255 0, 0 0 0 0");
    for (const auto& [x, y] : {std::pair{2, 0}, {-1, 1}, {0, 2}, {0, -1}}) EXPECT_EQ(ReadFitsSample(&fits.raster, x, y), 0.0) << x << ", " << y;
    // Two billion rows and columns claimed: no index may wrap back into the file.
    fits.raster.width = fits.raster.height = 2'000'000'000;
    EXPECT_EQ(ReadFitsSample(&fits.raster, 1'073'741'824, 1'073'741'824), 0.0);
    EXPECT_EQ(ReadFitsSample(&fits.raster, 0, 1'999'999'999), 0.0);
    fits.raster.sampleFormat = -64;
    EXPECT_EQ(ReadFitsSample(&fits.raster, 1'999'999'999, 1'999'999'999), 0.0);

    // Two PDS samples a row in 12 bytes of 0x40: from offset −2 (a label whose image pointer
    // names no record) the first begins before the file; from offset 5 the last lacks a byte.
    TestPicture pds;
    pds.MakeRaster(ImageStorage::PdsFile, 16, 2, 2, -2, std::vector<unsigned char>(12, 0x40));
    EXPECT_EQ(Pixel(pds.image, 0, 0) + ", " + Pixel(pds.image, 1, 0), "0 0 0 0, 64 64 64 0");
    pds.raster.dataOffset = 5;
    EXPECT_EQ(Pixel(pds.image, 0, 1) + ", " + Pixel(pds.image, 1, 1), "64 64 64 0, 0 0 0 0");
}

// FITS: grey = sample / full scale × 255.5, truncated toward zero, modulo 256. BITPIX 8: 127, 64
// (128.76), −128 (−257.5: −257, 255), −1 (−2.01: 254), 0. BITPIX 16: 32767, −1 (−0.0078), −129
// (−1.006: 255), −32768 (−255.51: −255, 1). BITPIX 32 at half scale: 127.75. BITPIX −32: 1.0, 0.5,
// 2.0 (511), −1.0 (−255), NaN, 1e10, −infinity. BITPIX −64: 1 and 0.25. PDS shows the most significant byte in the label's
// order (the second without one), and real samples by the FITS rule: 1.0 and NaN, then 0.5 and
// 1.0. Neither a BITPIX of 64 nor a PDS sample of 12 bits shows, but each is a black pixel.
TEST(RasterSamples, FitsSamplesShowTheirFullScaleAndPdsSamplesTheirMostSignificantByte) {
    const auto fits = ImageStorage::FitsFile, pds = ImageStorage::PdsFile;
    const auto none = SampleByteOrder::Unstated, big = SampleByteOrder::BigEndian, little = SampleByteOrder::LittleEndian;
    const auto any = SampleKind::Unstated, integer = SampleKind::Integer, real = SampleKind::Real;
    const struct { ImageStorage storage; std::int32_t format; SampleByteOrder order; SampleKind kind; std::vector<unsigned char> file; std::vector<int> levels; } rows[] = {
        {fits, 8, none, any, {0x7F, 0x40, 0x80, 0xFF, 0x00}, {255, 128, 255, 254, 0}},
        {fits, 16, none, any, {0x7F, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F, 0x80, 0x00}, {255, 0, 255, 1}},
        {fits, 32, none, any, {0x7F, 0xFF, 0xFF, 0xFF, 0x40, 0, 0, 0}, {255, 127}},
        {fits, -32, none, any, {0x3F, 0x80, 0, 0, 0x3F, 0, 0, 0, 0x40, 0, 0, 0, 0xBF, 0x80, 0, 0, 0x7F, 0xC0, 0, 0,
                                0x50, 0x15, 0x02, 0xF9, 0xFF, 0x80, 0, 0}, {255, 127, 255, 1, 0, 0, 0}},
        {fits, -64, none, any, {0x3F, 0xF0, 0, 0, 0, 0, 0, 0, 0x3F, 0xD0, 0, 0, 0, 0, 0, 0}, {255, 63}},
        {fits, 64, none, any, {0x3F, 0xF0, 0, 0, 0, 0, 0, 0}, {0}},
        {pds, 8, none, any, {200, 7}, {200, 7}}, {pds, 16, none, any, {0x34, 0x12, 0xFF, 0x01}, {0x12, 0x01}},
        {pds, 16, little, integer, {0x34, 0x12}, {0x12}}, {pds, 16, big, integer, {0x34, 0x12}, {0x34}},
        {pds, 32, big, integer, {0x12, 0x34, 0x56, 0x78}, {0x12}}, {pds, 32, little, integer, {0x78, 0x56, 0x34, 0x12}, {0x12}},
        {pds, 32, none, any, {0x78, 0x56, 0x34, 0x12}, {0x12}}, {pds, 32, big, real, {0x3F, 0x80, 0, 0, 0x7F, 0xC0, 0, 0}, {255, 0}},
        {pds, 32, little, real, {0, 0, 0, 0x3F, 0, 0, 0x80, 0x3F}, {127, 255}}, {pds, 12, none, any, {0xFF, 0xFF}, {0}},
    };
    for (const auto& row : rows) {
        TestPicture picture;
        const auto width = static_cast<std::int32_t>(row.levels.size());
        picture.MakeRaster(row.storage, row.format, width, 1, 0, row.file);
        picture.raster.byteOrder = row.order;
        picture.raster.sampleKind = row.kind;
        for (std::int32_t x = width - 1; x >= 0; --x) {  // backwards, so that no sample is read where the last left off
            EXPECT_EQ(Pixel(picture.image, x, 0), Grey(row.levels[x])) << "format " << row.format << ", sample " << x;
        }
    }
}

// With a, b, c, d the pixels at (x0, y0), (x0 + 1, y0), (x0, y0 + 1), (x0 + 1, y0 + 1):
// ((a − b − c + d) fx + (c − a)) fy + (b − a) fx + a, truncated. Halfway from 0 to 255;
// (−415 × 0.25 + 200) × 0.5 + 255 × 0.25 = 111.875; a pixel itself. At the right edge b = a and
// d = c: 100 + 101 × 0.5; at the top c = a and d = b: 200 − 160 × 0.5; the top-right corner
// repeats one pixel. Colours and transparency each on their own, a quarter of the way from
// opaque red 200, green 10 to clear green 30, blue 100.
TEST(SampleBilinear, InterpolatesTheFourPixelsAroundThePointRepeatingThoseAtTheRightAndTopEdges) {
    TestPicture picture;
    picture.MakeDecoded(3, 2, 1);
    const int levels[6] = {0, 255, 100, 200, 40, 201};  // row 0, then row 1
    for (int at = 0; at < 6; ++at) picture.Byte(at % 3, at / 3, 0) = static_cast<unsigned char>(levels[at]);
    const struct { double x, y; int level; } cases[] = {{0.5, 0.0, 127}, {0.25, 0.5, 111}, {1.0, 1.0, 40},
                                                        {2.75, 0.5, 150}, {0.5, 1.5, 120}, {2.9, 1.9, 201}};
    for (const auto& c : cases) EXPECT_EQ(Bilinear(picture.image, c.x, c.y), Grey(c.level)) << c.x << ", " << c.y;
    picture.MakeDecoded(2, 1, 4);
    for (const auto& [channel, value] : {std::pair{1, 10}, {2, 200}, {3, 255}, {4, 100}, {5, 30}}) picture.Byte(channel / 4, 0, channel % 4) = value;
    EXPECT_EQ(Bilinear(picture.image, 0.25, 0.0), "150 15 25 63");
}

// Pixel (x, y) of the 5 × 6 picture is 40 x + y. Shorter than a pixel: the truncated corner
// alone. Columns 3, 4 (5 is outside) of rows 1 to 3: 852 / 6. Columns 0, 1 of rows 4, 5 (6 is
// outside): 98 / 4. 1.5, 0.5, −0.5 truncate to 1, 0, 0: 46 / 3. Steps (1, 1), (0, −1) read
// (1, 3), (2, 4), (1, 2), (2, 3). A corner outside finds nothing, even reaching in; a footprint
// beyond all measure gives the corner, and at once. Every channel is averaged with the fraction
// dropped: opaque red 255 and clear blue 1.
TEST(SampleBoxAverage, AveragesTheGridUnderTheFootprintCountingOnlySamplesInsideThePicture) {
    TestPicture picture;
    picture.MakeDecoded(5, 6, 1);
    for (int at = 0; at < 30; ++at) picture.Byte(at % 5, at / 5, 0) = static_cast<unsigned char>(40 * (at % 5) + at / 5);
    const struct { double x, y, uv[4]; int level; } cases[] = {  // level −1: nothing found
        {2.7, 3.9, {0.9, 0.0, 0.0, 0.9}, 83}, {2.7, 3.9, {0.0, 0.0, 0.0, 0.0}, 83}, {3.5, 1.0, {3.0, 0.0, 0.0, 3.0}, 142},
        {0.2, 4.0, {2.0, 0.0, 0.0, 3.0}, 24}, {1.5, 2.0, {-3.0, 0.0, 0.0, 0.5}, 15}, {1.0, 3.0, {2.0, 2.0, 0.0, -2.0}, 63},
        {-0.5, 0.0, {3.0, 0.0, 0.0, 3.0}, -1}, {5.0, 0.0, {-3.0, 0.0, 0.0, 3.0}, -1}, {1.0, 1.0, {NAN, 0.0, 0.0, 1.0}, -1},
        {1.0, 1.0, {1e300, 0.0, 0.0, -1e300}, 41}, {1.0, 1.0, {-1e300, 0.0, 0.0, 1e300}, 41}};
    for (const auto& c : cases) {
        EXPECT_EQ(Average(picture.image, c.x, c.y, c.uv), c.level < 0 ? "none 0 0 0 0" : Grey(c.level))
            << c.x << ", " << c.y << " along " << c.uv[0] << ", " << c.uv[1] << " and " << c.uv[2] << ", " << c.uv[3];
    }
    picture.MakeDecoded(2, 1, 4);
    picture.Byte(0, 0, 2) = picture.Byte(0, 0, 3) = 255;
    picture.Byte(1, 0, 0) = 1;
    EXPECT_EQ(Average(picture.image, 0.0, 0.0, {2.0, 0.0, 0.0, 1.0}), "127 0 0 127");
}
