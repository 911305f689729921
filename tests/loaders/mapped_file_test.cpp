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
TEST(MappedFile, MapsAWholeFileUnderAnyName) {
    const std::vector<unsigned char> bytes = {0x3F, 0xF0, 0, 0, 0, 0, 0, 0, 0xC0};
    MappedFile file;
    ASSERT_TRUE(MapFile(WriteTestFile("Mond \xc3\xa9t\xc3\xa9 \xe2\x98\xbe.fits", bytes).c_str(), &file));
    ASSERT_EQ(file.size, 9u);
    EXPECT_EQ(std::vector<unsigned char>(file.view, file.view + file.size), bytes);
    EXPECT_TRUE(IsInsideMapping(file, 1, 8));
    EXPECT_FALSE(IsInsideMapping(file, 2, 8));
    EXPECT_FALSE(IsInsideMapping(file, UINT64_MAX - 3, 8));  // an offset near the top must not wrap into the file
    for (int twice = 0; twice < 2; ++twice) {
        UnmapFile(&file);
        EXPECT_TRUE(IsClosed(file));
    }
    EXPECT_FALSE(IsInsideMapping(file, 0, 0));
    for (const std::wstring& path : {MissingTestFile("absent.fits"), WriteTestFile("empty.img", std::string())}) {
        EXPECT_FALSE(MapFile(path.c_str(), &file));
        EXPECT_TRUE(IsClosed(file));
    }
}
