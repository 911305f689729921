#include "loaders/image_loader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "loaders/source_image.h"
#include "platform/message_box.h"
#include "platform/path.h"
#include "raster_reading.h"
#include "support/leak_check.h"
#include "support/test_files.h"
#include "tools/test_pictures.h"

#ifdef __linux__
#include <filesystem>
#include <fstream>

#include "platform/posix/utf8_path.h"
#endif

namespace {

// How many descriptors and mapped regions of the process refer to the file: what a release must
// give back besides memory. Only Linux lists them; elsewhere the count is 0.
int HeldResources(const std::wstring& path) {
    int held = 0;
#ifdef __linux__
    const std::string name = ToUtf8(path.c_str());
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd", error)) {
        held += std::filesystem::read_symlink(entry.path(), error).string() == name;
    }
    std::ifstream maps("/proc/self/maps");
    for (std::string line; std::getline(maps, line);) {
        held += line.size() > name.size() && line.compare(line.size() - name.size(), name.size(), name) == 0;
    }
#else
    (void)path;
#endif
    return held;
}

}  // namespace

TEST(ImageLoader, TheFileNameAloneWhateverItsCaseChoosesTheReader) {
    const std::vector<unsigned char> pds = MakePdsPicture(PdsSampleLayouts()[0], 4, 3);
    const std::vector<unsigned char> fits = MakeFitsPicture(16, 5, 2);
    const std::vector<unsigned char> jpeg = {0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x10, 'J', 'F', 'I', 'F', 0x00};
    const std::vector<unsigned char> bigTiff = {0x49, 0x49, 0x2B, 0x00, 0x08, 0x00, 0x00, 0x00};
    const std::vector<unsigned char> classicTiff = {0x49, 0x49, 0x2A, 0x00, 0x08, 0x00, 0x00, 0x00};
    const ImageStorage kNoRaster = ImageStorage::Decoded;
    const std::wstring kNotValid = L"Not a valid IMG file";
    const struct {
        const char* name;
        std::vector<unsigned char> bytes;
        std::int16_t loaded;
        ImageStorage storage;
        std::wstring caption;  // shown with the path as its text; "" when nothing is shown
    } cases[] = {
        {"Moon.IMG", pds, 1, ImageStorage::PdsFile, L""},
        {"Deep Field.FITS", fits, 1, ImageStorage::FitsFile, L""},
        {"archive.img.v2", pds, 1, ImageStorage::PdsFile, L""},
        {"moon.img.fits", fits, 0, ImageStorage::PdsFile, kNotValid},  // ".img" is tested first
        {"broken.img", jpeg, 0, ImageStorage::PdsFile, kNotValid},  // its raster is kept for release to close
        {"blank.fits", std::vector<unsigned char>(2880, ' '), 0, ImageStorage::FitsFile, L"Not a valid FITS file"},
        {"empty.fits", {}, 0, ImageStorage::FitsFile, L""},  // a file that cannot be mapped is refused silently
        {"best.fits/photo.jpg", jpeg, 0, kNoRaster, L""},
        {"best.fits\\photo.jpg", jpeg, 0, kNoRaster, L""},
        {"Apollo 11.fits/Moon.IMG", pds, 1, ImageStorage::PdsFile, L""},
        // A little-endian BigTIFF with a TIFF name is refused before any reader, silently.
        {"scan.tif.img", bigTiff, 0, kNoRaster, L""},
        {"scan.tif.img", classicTiff, 0, ImageStorage::PdsFile, kNotValid},
        {"scans.tif/scan.img", bigTiff, 0, ImageStorage::PdsFile, kNotValid},
    };
    g_sourceImage = new SourceImage;
    ForgetShownMessages();
    // Each load goes into the same record, freeing what the one before left there.
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::wstring path = WriteTestFile(c.name, c.bytes);
        EXPECT_EQ(LoadSourceImage(path.c_str()), c.loaded);
        EXPECT_EQ(g_sourceImage->loaded, c.loaded);
        EXPECT_EQ(TakeShownMessages(), c.caption.empty() ? L"" : c.caption + L": " + path);
        if (c.storage == kNoRaster) {
            EXPECT_EQ(g_sourceImage->data, nullptr);
            continue;
        }
        EXPECT_EQ(g_sourceImage->storage, c.storage);
        ASSERT_NE(g_sourceImage->data, nullptr);
        EXPECT_EQ(static_cast<RasterFile*>(g_sourceImage->data)->file.view != nullptr, !c.bytes.empty());
        if (c.loaded == 0) continue;
        const bool pds = c.storage == ImageStorage::PdsFile;
        EXPECT_EQ(g_sourceImage->width, pds ? 4 : 5);
        EXPECT_EQ(g_sourceImage->height, pds ? 3 : 2);
        EXPECT_EQ(g_sourceImage->channels, 1);
    }
    ReleaseSourceImage(g_sourceImage);
    delete g_sourceImage;
    g_sourceImage = nullptr;
    EXPECT_TRUE(NothingLeaked());
    // Without a record there is nothing to load into.
    EXPECT_EQ(LoadSourceImage(WriteTestFile("orphan.img", pds).c_str()), 0);
}

// On Linux a picture holds its file's descriptor, the mapping's own descriptor and the view.
TEST(ImageLoader, EveryFitsOrPdsPictureGivesBackItsFileAndMappingWhenReplacedOrReleased) {
#ifdef __linux__
    const int kHeld = 3;
#else
    const int kHeld = 0;
#endif
    const std::wstring pds = WriteTestFile("held.img", MakePdsPicture(PdsSampleLayouts()[0], 4, 3));
    const std::wstring fits = WriteTestFile("held.fits", MakeFitsPicture(16, 5, 2));
    const std::wstring refused = WriteTestFile("refused.img", std::string("PDS_VERSION_ID = PDS3\r\n"));
    g_sourceImage = new SourceImage;
    for (const std::wstring* path : {&pds, &fits, &refused}) {
        LoadSourceImage(path->c_str());  // replaces the picture before
        EXPECT_EQ(HeldResources(*path), kHeld);  // kept after a refusal too, until the release
    }
    TakeShownMessages();
    EXPECT_EQ(HeldResources(pds) + HeldResources(fits), 0);
    ReleaseSourceImage(g_sourceImage);
    EXPECT_EQ(HeldResources(refused), 0);
    delete g_sourceImage;
    g_sourceImage = nullptr;
}

// A path fills at most 259 characters of its buffer; the name tests see no more of a longer one.
TEST(ImageLoader, PathsAreReadUpToTheLastCharacterTheirBufferHoldsAndNoFurther) {
    const std::wstring folder = MakeTestFolder("long");
    const std::string name(259 - folder.size() - 5, 'n');
    const std::wstring longest = WriteTestFile("long/" + name + ".IMG", MakePdsPicture(PdsSampleLayouts()[0], 4, 3));
    ASSERT_EQ(longest.size(), 259u);
    g_sourceImage = new SourceImage;
    EXPECT_EQ(LoadSourceImage(longest.c_str()), 1);
    const std::wstring tooLong = folder + kFolderSeparator + std::wstring(300, L'n') + L".img";
    EXPECT_EQ(LoadSourceImage(tooLong.c_str()), 0);
    EXPECT_EQ(g_sourceImage->data, nullptr);  // the PDS reader was not chosen
    EXPECT_EQ(TakeShownMessages(), L"");
    ReleaseSourceImage(g_sourceImage);
    delete g_sourceImage;
    g_sourceImage = nullptr;
}
