#include "loaders/source_image.h"

#include <gtest/gtest.h>

#include "loaders/raster_file.h"
#include "support/leak_check.h"
#include "support/test_files.h"

TEST(SourceImage, DecodedRowsArePaddedToFourBytes) {
    EXPECT_EQ(DecodedRowStride(1, 1), 4);
    EXPECT_EQ(DecodedRowStride(3, 3), 12);
    EXPECT_EQ(DecodedRowStride(4, 5), 20);
    EXPECT_EQ(DecodedRowStride(3, 4), 12);
    EXPECT_EQ(DecodedRowStride(1, 0), 0);
    EXPECT_EQ(DecodedRowStride(4, 2'000'000'000), 8'000'000'000);
}

TEST(SourceImage, ReleaseOfAnEmptyRecordOnlyClearsLoaded) {
    SourceImage image;
    image.storage = ImageStorage::FitsFile;
    image.loaded = 1;
    image.width = 12;
    ReleaseSourceImage(&image);
    EXPECT_EQ(image.loaded, 0);
    EXPECT_EQ(image.data, nullptr);
    EXPECT_EQ(image.width, 12);
}

TEST(SourceImage, ReleaseFreesWhatEachStorageHolds) {
    SourceImage decoded;
    decoded.storage = ImageStorage::Decoded;
    decoded.data = new unsigned char[64];
    decoded.loaded = 1;
    ReleaseSourceImage(&decoded);
    EXPECT_EQ(decoded.data, nullptr);

    for (ImageStorage storage : {ImageStorage::FitsFile, ImageStorage::PdsFile}) {
        auto* raster = new RasterFile;
        ASSERT_TRUE(MapFile(WriteTestFile("raster.bin", std::string(2880, ' ')).c_str(), &raster->file));
        SourceImage mapped;
        mapped.storage = storage;
        mapped.data = raster;
        mapped.loaded = 1;
        ReleaseSourceImage(&mapped);
        EXPECT_EQ(mapped.data, nullptr);
        EXPECT_EQ(mapped.loaded, 0);
    }
    EXPECT_TRUE(NothingLeaked());
}

TEST(SourceImage, ReleaseUnlinksALinkedRecord) {
    List list;
    SourceImage image;
    PushBack(&list, &image.links);
    ReleaseSourceImage(&image);
    EXPECT_EQ(list.count, 0);
    EXPECT_EQ(image.links.owner, nullptr);
}
