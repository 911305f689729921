#include "tools/test_pictures.h"

#include <gtest/gtest.h>

#include <string>

#include "loaders/fits_header.h"
#include "loaders/pds_label.h"
#include "raster_reading.h"

namespace {

// A picture of 33 × 18: its corner block is 4 columns by 2 rows; (5, 5) lies in the first
// 16-pixel square, rising to the right: 5 × 255 / 32 = 39; (20, 5) in the second, falling
// upward: 255 − 5 × 255 / 17 = 180.
constexpr std::int32_t kWidth = 33;
constexpr std::int32_t kHeight = 18;

// The stored values of levels 255, 39 and 180 at the full scale of each type, worked out by hand:
// L × 255 / 255, L × 65535 / 255, L × 127 / 255, L × 32767 / 255, L × 2147483647 / 255 or L / 255.
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

// Checks the picture read back: its size, and the frame, corner block and both ramps at their levels.
void ExpectPattern(const ReadOutcome& read, const Levels& levels, bool isSigned) {
    ASSERT_TRUE(read.accepted);
    EXPECT_EQ(read.shown, L"");
    EXPECT_EQ(read.raster.width, kWidth);
    EXPECT_EQ(read.raster.height, kHeight);
    // 32-bit reals hold the levels rounded to float.
    const bool narrow = read.raster.sampleFormat == -32 ||
                        (read.raster.sampleFormat == 32 && read.raster.sampleKind == SampleKind::Real);
    const auto expected = [&](double value) { return narrow ? static_cast<float>(value) : value; };
    EXPECT_EQ(SampleAt(read, 0, 0, isSigned), expected(levels.full));   // the frame
    EXPECT_EQ(SampleAt(read, 2, 1, isSigned), expected(levels.full));   // the corner block
    EXPECT_EQ(SampleAt(read, 32, 9, isSigned), expected(levels.full));  // the frame's far side
    EXPECT_EQ(SampleAt(read, 5, 5, isSigned), expected(levels.at39));
    EXPECT_EQ(SampleAt(read, 20, 5, isSigned), expected(levels.at180));
}

}  // namespace

TEST(TestPictures, PatternBlockEndsWhereItsRuleSays) {
    EXPECT_EQ(TestPatternLevel(3, 1, kWidth, kHeight), 255);
    EXPECT_EQ(TestPatternLevel(4, 1, kWidth, kHeight), 4 * 255 / 32);  // the rising ramp just right of it
    EXPECT_EQ(TestPatternLevel(0, 0, 1, 1), 255);
}

TEST(TestPictures, EveryPdsLayoutReadsBackWithItsOrderKindAndFullScale) {
    for (const PdsSampleLayout& layout : PdsSampleLayouts()) {
        SCOPED_TRACE(PdsPictureName(layout));
        const std::vector<unsigned char> bytes = MakePdsPicture(layout, kWidth, kHeight);
        const ReadOutcome read = ReadFromMemory(ReadPdsLabel, std::string(bytes.begin(), bytes.end()));
        EXPECT_EQ(read.raster.sampleFormat, layout.bits);
        EXPECT_EQ(read.raster.byteOrder, layout.order);
        EXPECT_EQ(read.raster.sampleKind, layout.kind);
        // The samples fill the file's last records, one record a line.
        const std::int32_t lineBytes = kWidth * layout.bits / 8;
        EXPECT_EQ(read.raster.dataOffset, static_cast<std::int64_t>(bytes.size()) - lineBytes * kHeight);
        EXPECT_EQ(read.raster.dataOffset % lineBytes, 0);
        const Levels& levels = layout.kind == SampleKind::Real ? kReal
                               : layout.bits == 8              ? kUnsigned8
                               : !layout.isSigned              ? kUnsigned16
                               : layout.bits == 16             ? kSigned16
                                                               : kSigned32;
        ExpectPattern(read, levels, layout.isSigned);
    }
}

TEST(TestPictures, EveryBitpixReadsBackBigEndianAtFullScale) {
    for (std::int32_t bitpix : FitsBitpixValues()) {
        SCOPED_TRACE(FitsPictureName(bitpix));
        const std::vector<unsigned char> bytes = MakeFitsPicture(bitpix, kWidth, kHeight);
        EXPECT_EQ(bytes.size() % 2880, 0u);
        const ReadOutcome read = ReadFromMemory(ReadFitsHeader, std::string(bytes.begin(), bytes.end()));
        EXPECT_EQ(read.raster.sampleFormat, bitpix);
        EXPECT_EQ(read.raster.dataOffset, 2880);
        ExpectPattern(read, bitpix < 0 ? kReal : bitpix == 8 ? kSigned8 : bitpix == 16 ? kSigned16 : kSigned32, true);
    }
}
