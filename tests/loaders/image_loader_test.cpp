#include "loaders/image_loader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "loaders/source_image.h"
#include "platform/path.h"
#include "raster_reading.h"
#include "support/failing_allocation.h"
#include "support/held_resources.h"
#include "support/leak_check.h"
#include "support/test_files.h"
#include "tools/test_pictures.h"

// Each load goes into the same record, which must give back all the one before held: memory,
// file and mapping. A refused FITS or PDS file stays mapped until then.
TEST(ImageLoader, TheFileNameAloneWhateverItsCaseChoosesTheReaderAndEachLoadFreesTheOneBefore) {
    const std::vector<unsigned char> pds = MakePdsPicture(PdsSampleLayouts()[0], 4, 3);
    const std::vector<unsigned char> fits = MakeFitsPicture(16, 4, 3);
    const std::vector<unsigned char> jpeg = {0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x10, 'J', 'F', 'I', 'F', 0x00};
    const ImageStorage kNoRaster = ImageStorage::Decoded;
    const std::wstring kNotValid = L"Not a valid IMG file";
    // The caption is shown with the path as its text; "" when nothing is shown.
    const struct { const char* name; std::vector<unsigned char> bytes; std::int16_t loaded; ImageStorage storage;
                   std::wstring caption; } cases[] = {
        {"Moon.IMG", pds, 1, ImageStorage::PdsFile, L""},
        {"Deep Field.FITS", fits, 1, ImageStorage::FitsFile, L""},
        {"archive.img.v2", pds, 1, ImageStorage::PdsFile, L""},
        {"moon.img.fits", fits, 0, ImageStorage::PdsFile, kNotValid},  // ".img" is tested first
        {"blank.fits", std::vector<unsigned char>(2880, ' '), 0, ImageStorage::FitsFile, L"Not a valid FITS file"},
        {"best.fits/photo.jpg", jpeg, 0, kNoRaster, L""},
        {"best.fits\\photo.jpg", jpeg, 0, kNoRaster, L""},
        // A TIFF name has its version word read, little-endian, whatever the byte-order mark says:
        // 43 is a BigTIFF, refused before any reader, silently.
        {"big.tif.img", {0x49, 0x49, 0x2B, 0x00, 0x08, 0x00}, 0, kNoRaster, L""},
        {"big-mm.tif.img", {0x4D, 0x4D, 0x2B, 0x00}, 0, kNoRaster, L""},
        {"classic.tif.img", {0x49, 0x49, 0x2A, 0x00, 0x08, 0x00}, 0, ImageStorage::PdsFile, kNotValid},
        {"classic-mm.tif.img", {0x4D, 0x4D, 0x00, 0x2B}, 0, ImageStorage::PdsFile, kNotValid},
        {"scans.tif/scan.img", {0x49, 0x49, 0x2B, 0x00}, 0, ImageStorage::PdsFile, kNotValid},
        {"empty.tif.fits", {}, 0, ImageStorage::FitsFile, L""},  // a file that cannot be mapped is refused silently
        {"broken.img", jpeg, 0, ImageStorage::PdsFile, kNotValid},
    };
    g_sourceImage = new SourceImage;
    ForgetShownMessages();
    std::wstring previous = MissingTestFile("nothing before");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::wstring path = WriteTestFile(c.name, c.bytes);
        EXPECT_EQ(LoadSourceImage(path.c_str()), c.loaded);
        EXPECT_EQ(g_sourceImage->loaded, c.loaded);
        EXPECT_EQ(TakeShownMessages(), c.caption.empty() ? L"" : c.caption + L": " + path);
        EXPECT_EQ(HeldResources(previous), 0);
        EXPECT_EQ(HeldResources(path), c.storage == kNoRaster || c.bytes.empty() ? 0 : kHeldWhileMapped);
        previous = path;
        EXPECT_EQ(g_sourceImage->data == nullptr, c.storage == kNoRaster);
        if (c.storage != kNoRaster) {
            EXPECT_EQ(g_sourceImage->storage, c.storage);
        }
        if (c.loaded == 0) continue;
        EXPECT_EQ(g_sourceImage->width, 4);
        EXPECT_EQ(g_sourceImage->height, 3);
        EXPECT_EQ(g_sourceImage->channels, 1);
    }
    // A path fills at most 259 characters of its buffer; the name tests see no more of a longer one.
    const std::wstring folder = MakeTestFolder("long");
    const std::wstring longest = WriteTestFile("long/" + std::string(254 - folder.size(), 'n') + ".IMG", pds);
    ASSERT_EQ(longest.size(), 259u);
    EXPECT_EQ(LoadSourceImage(longest.c_str()), 1);
    EXPECT_EQ(HeldResources(previous), 0);
    ReleaseSourceImage(g_sourceImage);
    EXPECT_EQ(HeldResources(longest), 0);
    EXPECT_EQ(LoadSourceImage((folder + kFolderSeparator + std::wstring(300, L'n') + L".img").c_str()), 0);
    EXPECT_EQ(g_sourceImage->data, nullptr);  // the PDS reader was not chosen
    EXPECT_EQ(LoadSourceImage(MissingTestFile("gone.tif.img").c_str()), 0);  // a favourite since deleted
    EXPECT_EQ(TakeShownMessages(), L"");
    ReleaseSourceImage(g_sourceImage);
    delete g_sourceImage;
    g_sourceImage = nullptr;
    EXPECT_TRUE(NothingLeaked());
    // Without a record there is nothing to load into.
    EXPECT_EQ(LoadSourceImage(WriteTestFile("orphan.img", pds).c_str()), 0);
}

// Memory for the reader's record that cannot be had fails the load as any refusal does.
TEST(ImageLoader, AReaderRecordWithoutMemoryFailsTheLoad) {
    if (!CanFailAllocations()) GTEST_SKIP() << "the sanitizer keeps the allocation functions for itself";
    const std::wstring path = WriteTestFile("no memory.fits", MakeFitsPicture(16, 4, 3));
    g_sourceImage = new SourceImage;
    FailAllocationAfter(0);
    const std::int16_t loaded = LoadSourceImage(path.c_str());
    FailAllocationAfter(-1);
    EXPECT_EQ(loaded, 0);
    EXPECT_EQ(g_sourceImage->data, nullptr);
    EXPECT_EQ(HeldResources(path), 0);
    ReleaseSourceImage(g_sourceImage);
    delete g_sourceImage;
    g_sourceImage = nullptr;
}
