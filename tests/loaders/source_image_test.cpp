#include "loaders/source_image.h"

#include <gtest/gtest.h>

#include "support/leak_check.h"

TEST(SourceImage, DecodedRowsArePaddedToFourBytesWithoutOverflow) {
    EXPECT_EQ(DecodedRowStride(3, 3), 12);
    EXPECT_EQ(DecodedRowStride(3, 4), 12);
    EXPECT_EQ(DecodedRowStride(4, 2'000'000'000), 8'000'000'000);
}

TEST(SourceImage, ReleaseFreesWhatTheRecordHoldsAndUnlinksIt) {
    SourceImage empty;
    empty.storage = ImageStorage::FitsFile;
    empty.loaded = 1;
    empty.width = 12;
    ReleaseSourceImage(&empty);  // no raster to close: only `loaded` changes
    EXPECT_EQ(empty.loaded, 0);
    EXPECT_EQ(empty.width, 12);

    List list;
    SourceImage decoded;
    PushBack(&list, &decoded.links);
    decoded.data = new unsigned char[64];
    decoded.loaded = 1;
    ReleaseSourceImage(&decoded);
    EXPECT_EQ(decoded.data, nullptr);
    EXPECT_EQ(decoded.loaded, 0);
    EXPECT_EQ(list.count, 0);
    EXPECT_TRUE(NothingLeaked());
}
