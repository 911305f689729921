#include "loaders/tiff_probe.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/test_files.h"

TEST(TiffProbe, ReadsTheVersionWordLittleEndianAndGivesZeroForShortOrMissingFiles) {
    const struct {
        std::vector<unsigned char> bytes;
        std::int16_t version;
    } cases[] = {
        {{0x49, 0x49, 0x2A, 0x00}, 1},
        {{0x49, 0x49, 0x2B, 0x00, 0x08, 0x00}, 2},
        {{0x4D, 0x4D, 0x00, 0x2A}, 0},  // big-endian classic: 0x2A00 read little-endian
        {{0x4D, 0x4D, 0x2B, 0x00}, 2},  // the byte-order mark is not examined
        {{0x49, 0x49, 0x2B}, 0},
        {{}, 0},
    };
    for (const auto& c : cases) EXPECT_EQ(ProbeTiffVersion(WriteTestFile("probe.tif", c.bytes).c_str()), c.version);
    EXPECT_EQ(ProbeTiffVersion(MissingTestFile("nothing.tif").c_str()), 0);
}
