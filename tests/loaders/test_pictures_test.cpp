#include "tools/test_pictures.h"

#include <gtest/gtest.h>

#include <string>

#include "loaders/fits_header.h"
#include "loaders/pds_label.h"
#include "raster_reading.h"

namespace {

// Read back, a picture of 33 × 18 shows at (2, 1) its corner block of 4 columns by 2 rows (the
// first row stored), at (32, 9) the frame's far side, at (5, 5), in the first 16-pixel square, the
// ramp rising to the right: 5 × 255 / 32 = 39, and at (20, 5), in the second, the ramp falling
// upward: 255 − 5 × 255 / 17 = 180. Those levels L are stored at the full scale of each type,
// worked out by hand: L × 255 / 255, L × 65535 / 255, L × 127 / 255, L × 32767 / 255,
// L × 2147483647 / 255 or L / 255.
using Levels = double[4];
const Levels kUnsigned8 = {255, 255, 39, 180};
const Levels kUnsigned16 = {65535, 65535, 10023, 46260};
const Levels kSigned8 = {127, 127, 19, 89};
const Levels kSigned16 = {32767, 32767, 5011, 23129};
const Levels kSigned32 = {2147483647, 2147483647, 328438675, 1515870809};
const Levels kReal = {1.0, 1.0, 39 / 255.0, 180 / 255.0};

void ExpectPattern(const std::vector<unsigned char>& bytes, bool (*read)(RasterFile*, const wchar_t*),
                   const Levels& levels, bool isSigned) {
    const ReadOutcome outcome = ReadFromMemory(read, std::string(bytes.begin(), bytes.end()));
    const RasterFile& raster = outcome.raster;
    ASSERT_TRUE(outcome.accepted);
    EXPECT_EQ(raster.width, 33);
    EXPECT_EQ(raster.height, 18);
    // 32-bit reals hold the levels rounded to float.
    const bool narrow = raster.sampleFormat == -32 || (raster.sampleFormat == 32 && raster.sampleKind == SampleKind::Real);
    const int at[4][2] = {{2, 1}, {32, 9}, {5, 5}, {20, 5}};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(SampleAt(raster, at[i][0], at[i][1], isSigned), narrow ? static_cast<float>(levels[i]) : levels[i]);
    }
}

}  // namespace

// The tool writes the sample pictures the game ships with, and the tests read them too.
TEST(TestPictures, EveryPdsLayoutAndBitpixReadsBackWithThePatternAtFullScale) {
    for (const PdsSampleLayout& layout : PdsSampleLayouts()) {
        SCOPED_TRACE(PdsPictureName(layout));
        const Levels& levels = layout.kind == SampleKind::Real ? kReal
                               : layout.bits == 8              ? kUnsigned8
                               : !layout.isSigned              ? kUnsigned16
                               : layout.bits == 16             ? kSigned16
                                                               : kSigned32;
        ExpectPattern(MakePdsPicture(layout, 33, 18), ReadPdsLabel, levels, layout.isSigned);
    }
    for (std::int32_t bitpix : FitsBitpixValues()) {
        SCOPED_TRACE(FitsPictureName(bitpix));
        const std::vector<unsigned char> bytes = MakeFitsPicture(bitpix, 33, 18);
        EXPECT_EQ(bytes.size() % 2880, 0u);
        ExpectPattern(bytes, ReadFitsHeader, bitpix < 0 ? kReal : bitpix == 8 ? kSigned8 : bitpix == 16 ? kSigned16 : kSigned32, true);
    }
    EXPECT_EQ(TestPatternLevel(4, 1, 33, 18), 4 * 255 / 32);  // the rising ramp right beside the block
}
