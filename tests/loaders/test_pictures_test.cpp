#include "tools/test_pictures.h"

#include <gtest/gtest.h>

#include <string>

#include "loaders/fits_header.h"
#include "loaders/pds_label.h"
#include "raster_reading.h"
#include "support/test_files.h"

namespace {

// A picture of 33 × 18: its corner block is 4 columns by 2 rows; (5, 5) lies in the first
// 16-pixel square, rising to the right: 5 × 255 / 32 = 39; (20, 5) in the second, falling
// upward: 255 − 5 × 255 / 17 = 180.
constexpr std::int32_t kWidth = 33;
constexpr std::int32_t kHeight = 18;

// The stored values of levels 255, 39 and 180 at the full scale of each type, worked out by hand:
// L × 65535 / 255, L × 32767 / 255, L × 2147483647 / 255, L × 127 / 255 or L / 255.
struct Levels {
    double full;
    double at39;
    double at180;
};
const Levels kUnsigned8 = {255, 39, 180};
const Levels kUnsigned16 = {65535, 10023, 46260};
const Levels kSigned8 = {127, 19, 89};
const Levels kSigned16 = {32767, 5011, 23129};
const Levels kSigned32 = {2147483647, 328438675, 1515870809};
const Levels kReal = {1.0, 39 / 255.0, 180 / 255.0};

void ExpectLevels(const RasterFile& raster, const SampleStorage& storage, const Levels& levels, bool narrowReal) {
    const auto at = [&](std::int64_t x, std::int64_t y) {
        return StoredSampleAt(raster, y * kWidth + x, storage);
    };
    const auto expected = [&](double value) { return narrowReal ? static_cast<float>(value) : value; };
    EXPECT_EQ(at(0, 0), expected(levels.full));    // the frame
    EXPECT_EQ(at(2, 1), expected(levels.full));    // the corner block
    EXPECT_EQ(at(32, 9), expected(levels.full));   // the frame's far side
    EXPECT_EQ(at(5, 5), expected(levels.at39));
    EXPECT_EQ(at(20, 5), expected(levels.at180));
}

}  // namespace

TEST(TestPictures, PatternLevelsFollowTheirRule) {
    EXPECT_EQ(TestPatternLevel(0, 0, kWidth, kHeight), 255);
    EXPECT_EQ(TestPatternLevel(3, 1, kWidth, kHeight), 255);
    EXPECT_EQ(TestPatternLevel(4, 1, kWidth, kHeight), 255 * 4 / 32);  // just right of the block
    EXPECT_EQ(TestPatternLevel(5, 5, kWidth, kHeight), 39);
    EXPECT_EQ(TestPatternLevel(20, 5, kWidth, kHeight), 180);
    EXPECT_EQ(TestPatternLevel(16, 16, kWidth, kHeight), 127);
    EXPECT_EQ(TestPatternLevel(0, 0, 1, 1), 255);
}

TEST(TestPictures, EveryPdsLayoutReadsBackWithItsOrderKindAndFullScale) {
    for (const PdsSampleLayout& layout : PdsSampleLayouts()) {
        SCOPED_TRACE(PdsPictureName(layout));
        const std::vector<unsigned char> bytes = MakePdsPicture(layout, kWidth, kHeight);
        const std::wstring path = WriteTestFile(PdsPictureName(layout), bytes);
        ForgetShownMessages();
        RasterFile raster;
        ASSERT_TRUE(ParsePdsLabel(&raster, path.c_str()));
        EXPECT_TRUE(ShownMessages().empty());
        const std::int32_t sampleBytes = layout.bits / 8;
        EXPECT_EQ(raster.width, kWidth);
        EXPECT_EQ(raster.height, kHeight);
        EXPECT_EQ(raster.sampleFormat, layout.bits);
        EXPECT_EQ(raster.byteOrder, layout.order);
        EXPECT_EQ(raster.sampleKind, layout.kind);
        // The samples fill the file's last records, one record a line.
        EXPECT_EQ(raster.dataOffset, static_cast<std::int64_t>(bytes.size()) - kWidth * kHeight * sampleBytes);
        EXPECT_EQ(raster.dataOffset % (kWidth * sampleBytes), 0);
        const SampleStorage storage = {sampleBytes, layout.order, layout.kind, layout.isSigned};
        const bool real = layout.kind == SampleKind::Real;
        const Levels& levels = real                ? kReal
                               : layout.bits == 8  ? kUnsigned8
                               : !layout.isSigned  ? kUnsigned16
                               : layout.bits == 16 ? kSigned16
                                                   : kSigned32;
        ExpectLevels(raster, storage, levels, real);
        CloseRasterFile(&raster);
    }
    EXPECT_EQ(PdsPictureName(PdsSampleLayouts()[2]), "pattern_lsb_unsigned_integer_16.img");
}

TEST(TestPictures, EveryBitpixReadsBackBigEndianAtFullScale) {
    for (std::int32_t bitpix : FitsBitpixValues()) {
        SCOPED_TRACE(FitsPictureName(bitpix));
        const std::vector<unsigned char> bytes = MakeFitsPicture(bitpix, kWidth, kHeight);
        EXPECT_EQ(bytes.size() % 2880, 0u);
        const std::wstring path = WriteTestFile(FitsPictureName(bitpix), bytes);
        RasterFile raster;
        ASSERT_TRUE(ParseFitsHeader(&raster, path.c_str()));
        EXPECT_EQ(raster.width, kWidth);
        EXPECT_EQ(raster.height, kHeight);
        EXPECT_EQ(raster.sampleFormat, bitpix);
        EXPECT_EQ(raster.dataOffset, 2880);
        const bool real = bitpix < 0;
        const std::int32_t sampleBytes = (real ? -bitpix : bitpix) / 8;
        const SampleStorage storage = {sampleBytes, SampleByteOrder::BigEndian, real ? SampleKind::Real : SampleKind::Integer, true};
        const Levels& levels = real ? kReal : bitpix == 8 ? kSigned8 : bitpix == 16 ? kSigned16 : kSigned32;
        ExpectLevels(raster, storage, levels, bitpix == -32);
        CloseRasterFile(&raster);
    }
    EXPECT_EQ(FitsPictureName(-64), "pattern_bitpix_minus_64.fits");
}
