#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "imaging/colour.h"
#include "loaders/raster_file.h"
#include "loaders/source_image.h"
#include "render/canvas.h"

// A loaded picture for the imaging tests: either a decoded buffer the test fills, or a raster
// whose mapping is a buffer the test gives, so that a read past its end is caught. Not copyable:
// the picture points into its own members.
struct TestPicture {
    SourceImage image;
    std::vector<unsigned char> bytes;  // the decoded buffer, rowStride × height, or the raster's file
    RasterFile raster;

    TestPicture() = default;
    TestPicture(const TestPicture&) = delete;
    TestPicture& operator=(const TestPicture&) = delete;

    // A decoded picture of zero bytes with rows padded to 4 bytes, as the decoder leaves them.
    void MakeDecoded(std::int32_t width, std::int32_t height, std::int32_t channels);

    // Byte `channel` of the pixel at column x and picture row y (rows count from the bottom).
    unsigned char& Byte(std::int32_t x, std::int32_t y, std::int32_t channel);

    // A FITS or PDS picture over the bytes of `file`, its samples starting at `dataOffset`.
    void MakeRaster(ImageStorage storage, std::int32_t sampleFormat, std::int32_t width, std::int32_t height,
                    std::int32_t dataOffset, const std::vector<unsigned char>& file);
};

// "red green blue" of three bytes, the way a canvas holds a pixel.
std::string Rgb(const std::uint8_t* pixel);

// A black working image of width × height pixels at scale 1.
void SizeCanvas(Canvas* canvas, std::int32_t width, std::int32_t height);

// "red green blue" of the working pixel at column x, row y (from the bottom).
std::string CanvasRgb(const Canvas& canvas, std::int32_t x, std::int32_t y);

// Every working pixel, for comparing whole frames.
std::vector<unsigned char> CanvasBytes(const Canvas& canvas);
