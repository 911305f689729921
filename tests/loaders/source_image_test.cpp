#include "loaders/source_image.h"

#include <gtest/gtest.h>

#include "support/leak_check.h"

// Rows are padded to four bytes, in 64 bits: 4 channels of 2 000 000 000 pixels pass 32 bits.
TEST(SourceImage, DecodedRowsArePaddedToFourBytesAndReleaseFreesAndUnlinksWithoutTouchingTheSize) {
    EXPECT_EQ(DecodedRowStride(3, 3), 12);
    EXPECT_EQ(DecodedRowStride(3, 4), 12);
    EXPECT_EQ(DecodedRowStride(4, 2'000'000'000), 8'000'000'000);
    List list;
    SourceImage decoded;
    PushBack(&list, &decoded.links);
    decoded.data = new unsigned char[64];
    decoded.loaded = 1;
    decoded.width = 12;
    ReleaseSourceImage(&decoded);
    EXPECT_EQ(decoded.data, nullptr);
    EXPECT_EQ(decoded.loaded, 0);
    EXPECT_EQ(decoded.width, 12);
    EXPECT_EQ(list.count, 0);
    EXPECT_TRUE(NothingLeaked());
}
