#include "loaders/image_loader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "loaders/raster_file.h"
#include "loaders/source_image.h"
#include "platform/message_box.h"
#include "support/leak_check.h"
#include "support/test_files.h"
#include "tools/test_pictures.h"

namespace {

// Gives a test a fresh, empty g_sourceImage and releases it afterwards, as the dialogs do.
struct FreshPicture {
    FreshPicture() {
        g_sourceImage = new SourceImage;
        ForgetShownMessages();
    }
    ~FreshPicture() {
        ReleaseSourceImage(g_sourceImage);
        delete g_sourceImage;
        g_sourceImage = nullptr;
        ForgetShownMessages();
    }
};

// The captions of the messages shown since the last call, joined by " | ".
std::wstring Captions() {
    std::wstring all;
    for (const ShownMessage& message : ShownMessages()) all += (all.empty() ? L"" : L" | ") + message.caption;
    ForgetShownMessages();
    return all;
}

std::vector<unsigned char> PdsPicture() { return MakePdsPicture(PdsSampleLayouts()[0], 4, 3); }
std::vector<unsigned char> FitsPicture() { return MakeFitsPicture(16, 5, 2); }
const std::vector<unsigned char> kJpeg = {0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x10, 'J', 'F', 'I', 'F', 0x00};
const std::vector<unsigned char> kBigTiff = {0x49, 0x49, 0x2B, 0x00, 0x08, 0x00, 0x00, 0x00};
const std::vector<unsigned char> kClassicTiff = {0x49, 0x49, 0x2A, 0x00, 0x08, 0x00, 0x00, 0x00};

std::int16_t Load(const std::string& name, const std::vector<unsigned char>& bytes) {
    return LoadSourceImage(WriteTestFile(name, bytes).c_str());
}

}  // namespace

TEST(ImageLoader, ChoosesTheReaderByTheFileNameWhateverItsCase) {
    FreshPicture picture;
    ASSERT_EQ(Load("Moon.IMG", PdsPicture()), 1);
    EXPECT_EQ(g_sourceImage->loaded, 1);
    EXPECT_EQ(g_sourceImage->storage, ImageStorage::PdsFile);
    EXPECT_EQ(g_sourceImage->width, 4);
    EXPECT_EQ(g_sourceImage->height, 3);
    EXPECT_EQ(g_sourceImage->channels, 1);

    ASSERT_EQ(Load("Deep Field.FITS", FitsPicture()), 1);
    EXPECT_EQ(g_sourceImage->storage, ImageStorage::FitsFile);
    EXPECT_EQ(g_sourceImage->width, 5);
    EXPECT_EQ(g_sourceImage->height, 2);
    EXPECT_EQ(Load("plate.fit", FitsPicture()), 1);
    EXPECT_EQ(Load("archive.img.v2", PdsPicture()), 1);  // anywhere in the name
    EXPECT_EQ(Captions(), L"");

    // ".img" is tested before ".fit".
    EXPECT_EQ(Load("moon.img.fits", FitsPicture()), 0);
    EXPECT_EQ(g_sourceImage->storage, ImageStorage::PdsFile);
    EXPECT_EQ(Captions(), L"Not a valid IMG file");
}

TEST(ImageLoader, FolderNamesDoNotChooseTheReader) {
    FreshPicture picture;
    for (const char* name : {"best.fits/photo.jpg", "craters.img/photo.jpg", "best.fits\\photo.jpg"}) {
        EXPECT_EQ(Load(name, kJpeg), 0) << name;
        EXPECT_EQ(g_sourceImage->data, nullptr) << name;  // no raster reader was made
        EXPECT_EQ(Captions(), L"") << name;
    }
    EXPECT_EQ(Load("Apollo 11.fits/Moon.IMG", PdsPicture()), 1);
    EXPECT_EQ(g_sourceImage->storage, ImageStorage::PdsFile);
}

TEST(ImageLoader, LittleEndianBigTiffIsRefusedBeforeAnyReader) {
    FreshPicture picture;
    for (const char* name : {"scan.tif.img", "SCAN.TIFF", "scan.tif"}) {
        EXPECT_EQ(Load(name, kBigTiff), 0) << name;
        EXPECT_EQ(g_sourceImage->data, nullptr) << name;
        EXPECT_EQ(Captions(), L"") << name;
    }
    // A classic TIFF of the same name goes on to the reader its name chooses.
    EXPECT_EQ(Load("scan.tif.img", kClassicTiff), 0);
    EXPECT_EQ(g_sourceImage->storage, ImageStorage::PdsFile);
    EXPECT_EQ(Captions(), L"Not a valid IMG file");
    // Only the file name is a TIFF name: a folder called scans.tif does not make one.
    EXPECT_EQ(Load("scans.tif/scan.img", kBigTiff), 0);
    EXPECT_EQ(Captions(), L"Not a valid IMG file");
}

TEST(ImageLoader, AFailedReadLeavesTheRasterForReleaseToClose) {
    {
        FreshPicture picture;
        ASSERT_EQ(Load("broken.img", std::vector<unsigned char>(300, 'x')), 0);
        EXPECT_EQ(g_sourceImage->loaded, 0);
        EXPECT_EQ(g_sourceImage->storage, ImageStorage::PdsFile);
        ASSERT_NE(g_sourceImage->data, nullptr);
        EXPECT_NE(static_cast<RasterFile*>(g_sourceImage->data)->file.view, nullptr);
        EXPECT_EQ(g_sourceImage->width, 0);
        EXPECT_EQ(Captions(), L"Not a valid IMG file");

        // Loading again frees what the record held before.
        ASSERT_EQ(Load("again.fits", FitsPicture()), 1);
        ASSERT_EQ(Load("cube.fits", std::vector<unsigned char>(2880, ' ')), 0);
        EXPECT_EQ(g_sourceImage->storage, ImageStorage::FitsFile);
        EXPECT_EQ(g_sourceImage->loaded, 0);
        EXPECT_EQ(Captions(), L"Not a valid FITS file");
    }
    EXPECT_TRUE(NothingLeaked());

    // Without a record there is nothing to load into.
    EXPECT_EQ(LoadSourceImage(WriteTestFile("orphan.img", PdsPicture()).c_str()), 0);
}
