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

// Levels 255, 39 and 180 stored at the full scale of a type, worked out by hand: L × 255 / 255,
// L × 65535 / 255, L × 127 / 255, L × 32767 / 255, L × 2147483647 / 255 or L / 255.
using Levels = double[3];
const Levels kUnsigned8 = {255, 39, 180};
const Levels kUnsigned16 = {65535, 10023, 46260};
const Levels kSigned8 = {127, 19, 89};
const Levels kSigned16 = {32767, 5011, 23129};
const Levels kSigned32 = {2147483647, 328438675, 1515870809};
const Levels kReal = {1.0, 39 / 255.0, 180 / 255.0};

// Finds the corner block, the frame and both ramps at their levels in the picture read back.
void ExpectPattern(const ReadOutcome& read, const Levels& levels, bool isSigned) {
    const RasterFile& raster = read.raster;
    ASSERT_TRUE(read.accepted);
    EXPECT_EQ(raster.width, kWidth);
    EXPECT_EQ(raster.height, kHeight);
    // 32-bit reals hold the levels rounded to float.
    const bool narrow = raster.sampleFormat == -32 || (raster.sampleFormat == 32 && raster.sampleKind == SampleKind::Real);
    const auto level = [&](int i) { return narrow ? static_cast<float>(levels[i]) : levels[i]; };
    EXPECT_EQ(SampleAt(raster, 2, 1, isSigned), level(0));  // the corner block: the first row stored
    EXPECT_EQ(SampleAt(raster, 32, 9, isSigned), level(0));  // the frame's far side
    EXPECT_EQ(SampleAt(raster, 5, 5, isSigned), level(1));
    EXPECT_EQ(SampleAt(raster, 20, 5, isSigned), level(2));
}

}  // namespace

TEST(TestPictures, EveryPdsLayoutAndBitpixReadsBackWithThePatternAtFullScale) {
    for (const PdsSampleLayout& layout : PdsSampleLayouts()) {
        SCOPED_TRACE(PdsPictureName(layout));
        const std::vector<unsigned char> bytes = MakePdsPicture(layout, kWidth, kHeight);
        const ReadOutcome read = ReadFromMemory(ReadPdsLabel, std::string(bytes.begin(), bytes.end()));
        EXPECT_EQ(read.raster.sampleFormat, layout.bits);
        EXPECT_EQ(read.raster.byteOrder, layout.order);
        EXPECT_EQ(read.raster.sampleKind, layout.kind);
        // The samples fill the file's last records.
        EXPECT_EQ(read.raster.dataOffset + kWidth * kHeight * layout.bits / 8, static_cast<std::int64_t>(bytes.size()));
        ExpectPattern(read,
                      layout.kind == SampleKind::Real ? kReal
                      : layout.bits == 8              ? kUnsigned8
                      : !layout.isSigned              ? kUnsigned16
                      : layout.bits == 16             ? kSigned16
                                                      : kSigned32,
                      layout.isSigned);
    }
    for (std::int32_t bitpix : FitsBitpixValues()) {
        SCOPED_TRACE(FitsPictureName(bitpix));
        const std::vector<unsigned char> bytes = MakeFitsPicture(bitpix, kWidth, kHeight);
        EXPECT_EQ(bytes.size() % 2880, 0u);
        const ReadOutcome read = ReadFromMemory(ReadFitsHeader, std::string(bytes.begin(), bytes.end()));
        EXPECT_EQ(read.raster.sampleFormat, bitpix);
        EXPECT_EQ(read.raster.dataOffset, 2880);
        ExpectPattern(read, bitpix < 0 ? kReal : bitpix == 8 ? kSigned8 : bitpix == 16 ? kSigned16 : kSigned32, true);
    }
    EXPECT_EQ(TestPatternLevel(4, 1, kWidth, kHeight), 4 * 255 / 32);  // the rising ramp right beside the block
    EXPECT_EQ(TestPatternLevel(0, 0, 1, 1), 255);
}
