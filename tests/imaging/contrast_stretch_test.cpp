// The contrast stretch of scientific pictures: the measured range fills the grey range, a
// higher sample is never darker, and with the stretch off nothing changes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "imaging/contrast_stretch.h"
#include "imaging/draw_scaled_image.h"
#include "imaging/sample_coding.h"
#include "imaging/sample_pixel.h"
#include "loaders/image_loader.h"
#include "support/test_files.h"
#include "test_pictures.h"

namespace {

// The stretch chosen for one test, and the choice restored after it.
struct StretchOn {
    std::int16_t before = g_contrastStretch;
    StretchOn() { g_contrastStretch = 1; }
    ~StretchOn() { g_contrastStretch = before; }
};

// The whole picture drawn at its own size, one canvas pixel for each picture pixel.
std::vector<unsigned char> FullSizeFrame(const SourceImage& image) {
    Canvas canvas;
    SizeCanvas(&canvas, image.width, image.height);
    DrawScaledImage(&canvas, &image, 0, 0, image.width, image.height, nullptr, 0, image.width / 2, image.height / 2,
                    image.width, image.height);
    return CanvasBytes(canvas);
}

std::uint8_t GreyAt(const SourceImage& image, std::int32_t x, std::int32_t y) {
    Colour colour;
    SamplePixel(image, x, y, &colour);
    return colour.red;
}

// Every sample of the picture as stored, with the grey it shows, in order of the samples.
std::vector<std::pair<double, int>> ValuesAndGreys(const SourceImage& image) {
    std::vector<std::pair<double, int>> shown;
    const auto& raster = *static_cast<const RasterFile*>(image.data);
    WithSampleCoding(SampleCodingOf(image), [&](auto tag) {
        constexpr SampleCoding coding = decltype(tag)::value;
        if constexpr (coding != SampleCoding::Unreadable) {
            for (std::int32_t y = 0; y < image.height; ++y) {
                for (std::int32_t x = 0; x < image.width; ++x) {
                    const std::int64_t index = std::int64_t{y} * image.width + x;
                    const double value = SampleValue<coding>(raster.file.view + raster.dataOffset + index * SampleBytesOf(coding));
                    if (std::isfinite(value)) shown.emplace_back(value, GreyAt(image, x, y));
                }
            }
        }
    });
    std::sort(shown.begin(), shown.end());
    return shown;
}

}  // namespace

// The real pictures of the corpus that the game loads, each with the grey levels it must show
// at its own size: 150 for every real picture; the 8-bit TSI picture holds only 24 distinct
// samples and the 10 × 10 float picture 100, evenly spread (the median halfway, so a straight
// line shows each one).
TEST(ContrastStretch, CorpusPicturesFillTheGreyRangeInOrderAndLookAsBeforeWithTheStretchOff) {
    SKIP_WITHOUT_TESTDATA();
    const struct { const char* name; std::size_t levels; } files[] = {
        {"fits_hinode_xrt_i16.fits", 150}, {"fits_aia171_f64.fits", 150}, {"fits_hinode_sot_nonstd_ext.fits", 150},
        {"fits_azp_f32.fits", 150}, {"fits_m13_i16.fits", 150}, {"pds_smart1_amie_bytes.img", 150},
        {"pds_rosetta_osiris_lsb16.img", 150}, {"pds_mer_navcam_thumb16.img", 150}, {"fits_tsi_bitpix8.fits", 12},
        {"pds_ppy_float32.img", 100},
    };
    for (const auto& file : files) {
        SCOPED_TRACE(file.name);
        SourceImage image;
        g_sourceImage = &image;
        ASSERT_NE(LoadSourceImage(TestDataFile(file.name).c_str()), 0);
        // The frame as the game drew it before pictures were measured at all.
        auto& raster = *static_cast<RasterFile*>(image.data);
        SampleStretch* measured = raster.stretch;
        raster.stretch = nullptr;
        const std::vector<unsigned char> before = FullSizeFrame(image);
        raster.stretch = measured;
        EXPECT_EQ(FullSizeFrame(image), before);
        {
            StretchOn on;
            const std::vector<unsigned char> stretched = FullSizeFrame(image);
            EXPECT_GE(std::set<unsigned char>(stretched.begin(), stretched.end()).size(), file.levels);
            const auto shown = ValuesAndGreys(image);
            for (std::size_t i = 1; i < shown.size(); ++i)
                ASSERT_LE(shown[i - 1].second, shown[i].second) << shown[i - 1].first << " then " << shown[i].first;
        }
        EXPECT_EQ(FullSizeFrame(image), before);
        ReleaseSourceImage(&image);
        g_sourceImage = nullptr;
    }
}

namespace {

struct MeasuredPicture : TestPicture {
    MeasuredPicture(ImageStorage storage, std::int32_t format, std::int32_t width, std::int32_t height,
                    SampleByteOrder order, bool isSigned, const std::vector<unsigned char>& file) {
        MakeRaster(storage, format, width, height, 0, file);
        raster.byteOrder = order;
        raster.signedIntegers = isSigned;
        raster.stretch = MeasureSampleStretch(image);
    }
    ~MeasuredPicture() { FreeSampleStretch(raster.stretch); }
};

}  // namespace

// Four finite samples: the range runs from the least (10, black) to the most (40, white), and the
// median (30) lies two thirds up, so the line is straight: 20 is a third of 65536 curve steps up,
// step 21845, 255 × 21845 / 65536 + 0.5 truncated = 85, and 30 gives 170. Not-a-number and
// either infinity are black. A flat picture puts its one value halfway up a straight line: 128.
// 16 bits stored with an offset, FITS signed with BZERO 32768 (0x8000 is 0, 0x7FFF 65535) and PDS
// unsigned little-endian: −1 + 32768 and 0 + 32768 lie just either side of the middle, 127 and
// 128, where the full-scale rule shows 0x8000 as 1 and 0xFFFF as 0.
TEST(ContrastStretch, HandWorkedPicturesMapTheirRangeOntoTheGreys) {
    const auto fits = ImageStorage::FitsFile, pds = ImageStorage::PdsFile;
    const auto big = SampleByteOrder::BigEndian, little = SampleByteOrder::LittleEndian;
    const struct { const char* what; ImageStorage storage; std::int32_t format; SampleByteOrder order; std::vector<unsigned char> file; std::vector<int> levels; } cases[] = {
        {"NaN and infinities", fits, -32, big,
         {0x7F, 0xC0, 0, 0, 0x7F, 0x80, 0, 0, 0xFF, 0x80, 0, 0, 0x41, 0x20, 0, 0, 0x41, 0xA0, 0, 0, 0x41, 0xF0, 0, 0, 0x42, 0x20, 0, 0},
         {0, 0, 0, 0, 85, 170, 255}},
        {"flat", fits, 16, big, {0x04, 0xD2, 0x04, 0xD2, 0x04, 0xD2}, {128, 128, 128}},
        {"FITS 16 bits with BZERO", fits, 16, big, {0x80, 0x00, 0xFF, 0xFF, 0x00, 0x00, 0x7F, 0xFF}, {0, 127, 128, 255}},
        {"PDS unsigned 16 bits", pds, 16, little, {0x00, 0x00, 0xFF, 0x7F, 0x00, 0x80, 0xFF, 0xFF}, {0, 127, 128, 255}},
    };
    StretchOn on;
    for (const auto& c : cases) {
        const auto width = static_cast<std::int32_t>(c.levels.size());
        MeasuredPicture picture(c.storage, c.format, width, 1, c.order, false, c.file);
        for (std::int32_t x = 0; x < width; ++x) EXPECT_EQ(GreyAt(picture.image, x, 0), c.levels[x]) << c.what << ", sample " << x;
    }
}

// 190 samples 0 … 189 and 10 of 10000: the range runs from the 0.5th percentile (rank 1, the
// sample 1) to the 99.5th (rank 198, 10000), and the median (100) lies 1% of the way up. A
// straight line would show it at grey 2; the bend lifts it to a quarter of the grey range.
TEST(ContrastStretch, AFaintBackgroundIsLiftedToAQuarterGrey) {
    std::vector<unsigned char> file;
    for (int i = 0; i < 200; ++i) {
        const int value = i < 190 ? i : 10000;
        file.push_back(static_cast<unsigned char>(value >> 8));
        file.push_back(static_cast<unsigned char>(value));
    }
    StretchOn on;
    MeasuredPicture picture(ImageStorage::FitsFile, 16, 200, 1, SampleByteOrder::BigEndian, false, file);
    EXPECT_EQ(GreyAt(picture.image, 1, 0), 0);
    EXPECT_NEAR(GreyAt(picture.image, 100, 0), 64, 1);
    EXPECT_EQ(GreyAt(picture.image, 199, 0), 255);
}

// 2048 × 1024 samples, more than are measured: the first 1% are 0, the last 1% 255, the rest 100.
// Only a measure that reaches both ends of the picture finds 0 and 255 beyond the 0.5% at either
// end; the median 100 then lies on the straight line at 255 × 25700 / 65536 + 0.5 = 100.
TEST(ContrastStretch, ALargePictureIsMeasuredFromEndToEnd) {
    const std::size_t count = 2048 * 1024;
    std::vector<unsigned char> file(count, 100);
    std::fill(file.begin(), file.begin() + count / 100, 0);
    std::fill(file.end() - count / 100, file.end(), 255);
    StretchOn on;
    MeasuredPicture picture(ImageStorage::PdsFile, 8, 2048, 1024, SampleByteOrder::Unstated, false, file);
    EXPECT_EQ(GreyAt(picture.image, 0, 0), 0);
    EXPECT_EQ(GreyAt(picture.image, 1024, 512), 100);
    EXPECT_EQ(GreyAt(picture.image, 2047, 1023), 255);
}
