#include "loaders/tiff_probe.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/test_files.h"

namespace {

std::int16_t ProbeBytes(std::vector<unsigned char> bytes) {
    return ProbeTiffVersion(WriteTestFile("probe.tif", bytes).c_str());
}

}  // namespace

TEST(TiffProbe, ReadsTheVersionWordLittleEndian) {
    EXPECT_EQ(ProbeBytes({0x49, 0x49, 0x2A, 0x00}), 1);
    EXPECT_EQ(ProbeBytes({0x49, 0x49, 0x2B, 0x00, 0x08, 0x00}), 2);
    EXPECT_EQ(ProbeBytes({0x4D, 0x4D, 0x00, 0x2A}), 0);  // big-endian classic reads as 10752
    EXPECT_EQ(ProbeBytes({0x4D, 0x4D, 0x00, 0x2B}), 0);  // big-endian BigTIFF reads as 11008
    EXPECT_EQ(ProbeBytes({0x4D, 0x4D, 0x2A, 0x00}), 1);  // the byte-order mark is not examined
    EXPECT_EQ(ProbeBytes({0x49, 0x49, 0x2A, 0x01}), 0);
}

TEST(TiffProbe, ShortAndMissingFilesGiveZero) {
    EXPECT_EQ(ProbeBytes({}), 0);
    EXPECT_EQ(ProbeBytes({0x49, 0x49, 0x2B}), 0);
    EXPECT_EQ(ProbeTiffVersion(MissingTestFile("nothing.tif").c_str()), 0);
}

TEST(TiffProbe, RealFilesFromOtherSoftware) {
    SKIP_WITHOUT_TESTDATA();
    EXPECT_EQ(ProbeTiffVersion(TestDataFile("tif_classic_le_rgb.tif").c_str()), 1);
    EXPECT_EQ(ProbeTiffVersion(TestDataFile("tif_multipage_le.tif").c_str()), 1);
    EXPECT_EQ(ProbeTiffVersion(TestDataFile("tif_bigtiff_le.tif").c_str()), 2);
    EXPECT_EQ(ProbeTiffVersion(TestDataFile("tif_hopper_bigtiff_le.tif").c_str()), 2);
    EXPECT_EQ(ProbeTiffVersion(TestDataFile("tif_bigtiff_be.tif").c_str()), 0);
    EXPECT_EQ(ProbeTiffVersion(TestDataFile("tif_be_gray8.tif").c_str()), 0);
}
