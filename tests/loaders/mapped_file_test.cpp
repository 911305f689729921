#include "loaders/mapped_file.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "support/test_files.h"

namespace {

bool IsClosed(const MappedFile& file) {
    return file.fileHandle == nullptr && file.mappingHandle == nullptr && file.view == nullptr;
}

}  // namespace

TEST(MappedFile, MapsAWholeFileRefusesMissingAndEmptyOnesAndUnmapsTwiceHarmlessly) {
    // A name outside ASCII must reach the file on both platforms.
    const std::wstring path = WriteTestFile("Mond \xc3\xa9t\xc3\xa9 \xe2\x98\xbe.img", std::string("PDS3 label"));
    MappedFile file;
    file.position = 99;
    ASSERT_TRUE(MapFile(path.c_str(), &file));
    EXPECT_EQ(file.size, 10u);
    EXPECT_EQ(file.position, 0u);
    EXPECT_EQ(std::memcmp(file.view, "PDS3 label", 10), 0);
    UnmapFile(&file);
    EXPECT_TRUE(IsClosed(file));
    UnmapFile(&file);
    EXPECT_TRUE(IsClosed(file));

    MappedFile missing;
    EXPECT_FALSE(MapFile(MissingTestFile("absent.fits").c_str(), &missing));
    EXPECT_TRUE(IsClosed(missing));
    MappedFile empty;
    EXPECT_FALSE(MapFile(WriteTestFile("empty.img", std::string()).c_str(), &empty));
    EXPECT_TRUE(IsClosed(empty));
}

TEST(MappedFile, ReadDoubleHonoursByteOrderAndNeverReadsOutsideTheMapping) {
    const std::vector<unsigned char> bytes = {
        0x3F, 0xF0, 0, 0, 0, 0, 0,    0,     // 1.0 big-endian
        0,    0,    0, 0, 0, 0, 0xF0, 0x3F,  // 1.0 little-endian
        0xC0, 0,    0, 0, 0, 0, 0,    0};    // -2.0 big-endian
    MappedFile file;
    ASSERT_TRUE(MapFile(WriteTestFile("doubles.bin", bytes).c_str(), &file));
    EXPECT_EQ(ReadDouble(&file, true), 1.0);
    EXPECT_EQ(ReadDouble(&file, false), 1.0);
    EXPECT_EQ(ReadDouble(&file, true), -2.0);  // bytes 16 to 23, the last whole double
    EXPECT_EQ(ReadDouble(&file, true), 0.0);
    EXPECT_EQ(file.position, 32u);  // the cursor moves on by 8 even past the end
    file.position = 17;
    EXPECT_EQ(ReadDouble(&file, true), 0.0);  // would need byte 24
    file.position = UINT64_MAX - 3;
    EXPECT_EQ(ReadDouble(&file, true), 0.0);  // a cursor near the top must not wrap into the file
    UnmapFile(&file);
    EXPECT_EQ(ReadDouble(&file, true), 0.0);
}
