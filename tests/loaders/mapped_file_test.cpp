#include "loaders/mapped_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/test_files.h"

namespace {

bool IsClosed(const MappedFile& file) {
    return file.fileHandle == nullptr && file.mappingHandle == nullptr && file.view == nullptr;
}

}  // namespace

// Missing and empty files are refused with nothing left open; unmapping twice is harmless.
TEST(MappedFile, MapsAWholeFileUnderAnyNameAndReadsDoublesOnlyInsideIt) {
    const std::vector<unsigned char> bytes = {
        0x3F, 0xF0, 0, 0, 0, 0, 0,    0,     // 1.0 big-endian
        0,    0,    0, 0, 0, 0, 0xF0, 0x3F,  // 1.0 little-endian
        0xC0, 0,    0, 0, 0, 0, 0,    0};    // -2.0 big-endian
    MappedFile file;
    file.position = 99;
    ASSERT_TRUE(MapFile(WriteTestFile("Mond \xc3\xa9t\xc3\xa9 \xe2\x98\xbe.fits", bytes).c_str(), &file));
    EXPECT_EQ(file.size, 24u);
    EXPECT_EQ(ReadDouble(&file, true), 1.0);
    EXPECT_EQ(ReadDouble(&file, false), 1.0);
    EXPECT_EQ(ReadDouble(&file, true), -2.0);  // bytes 16 to 23, the last whole double
    EXPECT_EQ(ReadDouble(&file, true), 0.0);
    EXPECT_EQ(file.position, 32u);  // the cursor moves on by 8 even past the end
    file.position = 17;
    EXPECT_EQ(ReadDouble(&file, true), 0.0);  // would need byte 24
    file.position = UINT64_MAX - 3;
    EXPECT_EQ(ReadDouble(&file, true), 0.0);  // a cursor near the top must not wrap into the file
    for (int twice = 0; twice < 2; ++twice) {
        UnmapFile(&file);
        EXPECT_TRUE(IsClosed(file));
    }
    EXPECT_EQ(ReadDouble(&file, true), 0.0);
    for (const std::wstring& path : {MissingTestFile("absent.fits"), WriteTestFile("empty.img", std::string())}) {
        EXPECT_FALSE(MapFile(path.c_str(), &file));
        EXPECT_TRUE(IsClosed(file));
    }
}
