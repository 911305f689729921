// Everyday pictures decoded through the platform's imaging component, as the game loads them:
// files of the shared corpus written by other people's software, and the sample picture the
// project writes itself. Pixels are given at (x, y), columns from the left and rows from the top,
// in the record's byte order (blue, green, red, alpha); the corpus's values were read with
// ImageMagick 6.9 (`convert FILE txt:-`), the sample picture's worked out from its description.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "loaders/image_loader.h"
#include "loaders/source_image.h"
#include "platform/message_box.h"
#include "support/held_resources.h"
#include "support/test_files.h"
#include "tools/sample_colours.h"

namespace {

struct Pixel {
    std::int32_t x;
    std::int32_t y;
    std::vector<int> bytes;
};

// A refused picture has a width of 0.
struct Picture {
    const char* name;
    std::int32_t width;
    std::int32_t height;
    std::int32_t channels;
    std::int32_t rowStride;
    std::vector<Pixel> pixels;
};

Picture Refused(const char* name) { return {name, 0, 0, 0, 0, {}}; }

// A little-endian TIFF of `pages` pages, each one uncompressed grey pixel of level 128.
std::vector<unsigned char> GreyTiff(std::uint32_t pages) {
    std::vector<unsigned char> bytes = {'I', 'I', 42, 0, 8, 0, 0, 0};
    const auto append = [&bytes](std::uint32_t value, int count) {
        for (int i = 0; i < count; ++i) bytes.push_back(static_cast<unsigned char>(value >> (8 * i)));
    };
    for (std::uint32_t page = 0; page < pages; ++page) {
        // 9 fields of 12 bytes between the field count and the next page's offset; the pixel
        // follows, padded so that the next page starts on an even offset.
        const auto pixel = static_cast<std::uint32_t>(bytes.size() + 2 + 9 * 12 + 4);
        const std::uint32_t fields[][2] = {{256, 1}, {257, 1}, {258, 8}, {259, 1}, {262, 1},
                                           {273, pixel}, {277, 1}, {278, 1}, {279, 1}};
        append(9, 2);
        for (const auto& field : fields) {
            append(field[0], 2);
            append(field[0] == 273 ? 4 : 3, 2);  // the strip's offset is a LONG, the rest SHORTs
            append(1, 4);
            append(field[1], 4);
        }
        append(page + 1 < pages ? pixel + 2 : 0, 4);
        bytes.insert(bytes.end(), {128, 0});
    }
    return bytes;
}

// Loads the file into a fresh record, with COM on the thread as the game starts it, and checks
// the result.
void CheckLoad(const Picture& expected, const std::wstring& path) {
    SCOPED_TRACE(expected.name);
    const bool com = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    g_sourceImage = new SourceImage;
    const std::int16_t loaded = LoadSourceImage(path.c_str());
    EXPECT_EQ(loaded, expected.width > 0 ? 1 : 0);
    EXPECT_TRUE(ShownMessages().empty());
    if (loaded != 0) {
        EXPECT_EQ(g_sourceImage->storage, ImageStorage::Decoded);
        EXPECT_EQ(g_sourceImage->width, expected.width);
        EXPECT_EQ(g_sourceImage->height, expected.height);
        EXPECT_EQ(g_sourceImage->channels, expected.channels);
        EXPECT_EQ(g_sourceImage->rowStride, expected.rowStride);
        const auto* pixels = static_cast<const unsigned char*>(g_sourceImage->data);
        for (const Pixel& pixel : expected.pixels) {
            const unsigned char* at = pixels + pixel.y * expected.rowStride + pixel.x * expected.channels;
            EXPECT_EQ(std::vector<int>(at, at + expected.channels), pixel.bytes) << pixel.x << ", " << pixel.y;
        }
    }
    ReleaseSourceImage(g_sourceImage);
    delete g_sourceImage;
    g_sourceImage = nullptr;
    EXPECT_EQ(HeldResources(path), 0);  // a decoder, frame or converted source left unreleased
    if (com) CoUninitialize();
}

}  // namespace

TEST(PlatformDecoder, CorpusPicturesDecodeToTheirLayoutOrAreRefused) {
    SKIP_WITHOUT_TESTDATA();
    const Picture pictures[] = {
        // Straight alpha, in blue, green, red, alpha order: premultiplied, the colour would
        // be about 4, 102, 164.
        {"png_rgba8.png", 32, 32, 4, 128, {{20, 5, {7, 159, 255, 164}}}},
        // Grey stays grey. A big-endian TIFF is no BigTIFF, and neither is a classic one.
        {"tif_be_gray8.tif", 128, 128, 1, 128, {{100, 40, {127}}, {126, 63, {138}}}},
        {"tif_hopper_le_rgb.tif", 128, 128, 3, 384, {{64, 64, {55, 70, 173}}}},
        // 127 pixels of 3 bytes are 381 bytes, padded to 384; the file stores its rows bottom up.
        {"bmp_pal4rle.bmp", 127, 64, 3, 384,
         {{20, 5, {0, 128, 255}}, {100, 40, {255, 128, 255}}, {126, 63, {0, 0, 0}}}},
        // A JPEG's exact samples are the decoder's own; the layout is what counts: CMYK has 32
        // bits a pixel, yet no alpha.
        {"jpg_cmyk.jpg", 100, 100, 3, 300, {}},
        // Five frames, three pages: only single pictures are played. (Wine cannot convert their
        // palettes and would refuse them anyway; the written TIFFs below show the page count.)
        Refused("gif_anim_dispose_bgnd.gif"),
        Refused("tif_multipage_le.tif"),
        // Refused before any decoding, without a message of the loader's own. (Wine's decoder
        // refuses BigTIFF too, so there only a platform that decodes it can catch a missed probe.)
        Refused("tif_bigtiff_le.tif"),
    };
    ForgetShownMessages();
    for (const Picture& picture : pictures) CheckLoad(picture, TestDataFile(picture.name));
}

TEST(PlatformDecoder, APictureOfSeveralPagesIsRefused) {
    // One grey pixel makes a row of 1 byte, padded to 4.
    const Picture onePage = {"one page.tif", 1, 1, 1, 4, {{0, 0, {128}}}};
    ForgetShownMessages();
    CheckLoad(onePage, WriteTestFile(onePage.name, GreyTiff(1)));
    CheckLoad(Refused("two pages.tif"), WriteTestFile("two pages.tif", GreyTiff(2)));
}

TEST(PlatformDecoder, TheSamplePictureIsABmpThePlatformDecodes) {
    // Plain hues of the rainbow at saturation 0.6: the full level 255 and 255 × 0.4 = 102.
    const Picture sample = {"Sample colours.bmp", 640, 480, 3, 1920,
                            {
                                {0, 0, {102, 102, 255}},    // hue 0°, red
                                {320, 0, {255, 255, 102}},  // hue 180°, cyan
                                {0, 479, {102, 255, 102}},  // hue 120°, green
                            }};
    ForgetShownMessages();
    CheckLoad(sample, WriteTestFile(sample.name, MakeSampleColoursBmp()));
}
