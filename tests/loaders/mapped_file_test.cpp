#include "loaders/mapped_file.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "support/test_files.h"

namespace {

std::vector<unsigned char> Bytes(std::initializer_list<int> values) {
    return std::vector<unsigned char>(values.begin(), values.end());
}

void ExpectClosed(const MappedFile& file) {
    EXPECT_EQ(file.fileHandle, nullptr);
    EXPECT_EQ(file.mappingHandle, nullptr);
    EXPECT_EQ(file.view, nullptr);
}

}  // namespace

TEST(MappedFile, MapsAWholeFileAndUnmapsItTwiceHarmlessly) {
    const std::wstring path = WriteTestFile("mapped.bin", std::string("SIMPLE  =                    T"));
    MappedFile file;
    file.position = 99;
    ASSERT_TRUE(MapFile(path.c_str(), &file));
    EXPECT_EQ(file.size, 30u);
    EXPECT_EQ(file.position, 0u);
    EXPECT_EQ(std::memcmp(file.view, "SIMPLE", 6), 0);
    EXPECT_EQ(file.view[29], 'T');
    UnmapFile(&file);
    ExpectClosed(file);
    UnmapFile(&file);
    ExpectClosed(file);
}

TEST(MappedFile, MissingAndEmptyFilesAreRefusedLeavingNothingOpen) {
    MappedFile missing;
    EXPECT_FALSE(MapFile(MissingTestFile("absent.fits").c_str(), &missing));
    ExpectClosed(missing);

    MappedFile empty;
    EXPECT_FALSE(MapFile(WriteTestFile("empty.img", std::string()).c_str(), &empty));
    ExpectClosed(empty);

    MappedFile never;
    UnmapFile(&never);
    ExpectClosed(never);
}

TEST(MappedFile, NonAsciiPathsReachTheFile) {
    const std::wstring path = WriteTestFile("Mond \xc3\xa9t\xc3\xa9 \xe2\x98\xbe.img", std::string("PDS"));
    MappedFile file;
    ASSERT_TRUE(MapFile(path.c_str(), &file));
    EXPECT_EQ(file.size, 3u);
    UnmapFile(&file);
}

TEST(MappedFile, ReadDoubleInBothByteOrders) {
    const std::wstring path = WriteTestFile(
        "doubles.bin", Bytes({0x3F, 0xF0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xF0, 0x3F, 0xC0, 0x00, 0, 0, 0, 0, 0, 0}));
    MappedFile file;
    ASSERT_TRUE(MapFile(path.c_str(), &file));
    EXPECT_EQ(ReadDouble(&file, true), 1.0);
    EXPECT_EQ(file.position, 8u);
    EXPECT_EQ(ReadDouble(&file, false), 1.0);
    EXPECT_EQ(file.position, 16u);
    EXPECT_EQ(ReadDouble(&file, true), -2.0);
    EXPECT_EQ(file.position, 24u);
    UnmapFile(&file);
}

TEST(MappedFile, ReadDoubleNeverReadsOutsideTheMapping) {
    // 11 bytes: one whole double at 0, then only 3 bytes.
    const std::wstring path = WriteTestFile("short.bin", Bytes({0x40, 0, 0, 0, 0, 0, 0, 0, 0x3F, 0xF0, 0}));
    MappedFile file;
    ASSERT_TRUE(MapFile(path.c_str(), &file));
    file.position = 3;
    EXPECT_NE(ReadDouble(&file, true), 0.0);  // bytes 3 to 10 are the last whole double
    file.position = 4;
    EXPECT_EQ(ReadDouble(&file, true), 0.0);  // would need byte 11
    EXPECT_EQ(file.position, 12u);
    EXPECT_EQ(ReadDouble(&file, true), 0.0);  // wholly past the end
    EXPECT_EQ(file.position, 20u);
    file.position = UINT64_MAX - 3;
    EXPECT_EQ(ReadDouble(&file, true), 0.0);  // a cursor near the top must not wrap into the file
    file.position = 0;
    EXPECT_EQ(ReadDouble(&file, true), 2.0);
    UnmapFile(&file);

    MappedFile closed;
    EXPECT_EQ(ReadDouble(&closed, true), 0.0);
    EXPECT_EQ(closed.position, 8u);
}

TEST(MappedFile, IsInsideMappingBoundsOffsetAndCount) {
    const std::wstring path = WriteTestFile("sixteen.bin", std::vector<unsigned char>(16, 7));
    MappedFile file;
    ASSERT_TRUE(MapFile(path.c_str(), &file));
    EXPECT_TRUE(IsInsideMapping(file, 0, 16));
    EXPECT_TRUE(IsInsideMapping(file, 15, 1));
    EXPECT_TRUE(IsInsideMapping(file, 16, 0));
    EXPECT_FALSE(IsInsideMapping(file, 15, 2));
    EXPECT_FALSE(IsInsideMapping(file, 17, 0));
    EXPECT_FALSE(IsInsideMapping(file, 8, UINT64_MAX));
    UnmapFile(&file);
    EXPECT_FALSE(IsInsideMapping(file, 0, 1));
}
