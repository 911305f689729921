#pragma once

#include <cstdint>

#include "model/list.h"

enum class ImageStorage : std::uint32_t {
    Decoded = 1,   // `data` is a buffer of rowStride × height bytes, top row first
    FitsFile = 4,  // `data` is a RasterFile over a FITS file
    PdsFile = 5,   // `data` is a RasterFile over a PDS IMG file
};

// The one loaded picture. A decoded picture holds 1 (grey), 3 (blue, green, red) or 4 (blue,
// green, red, straight alpha) bytes a pixel; FITS and PDS pictures hold one sample a pixel.
struct SourceImage {
    ListItem links;  // never linked
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t rowStride = 0;  // decoded pictures only
    std::int32_t channels = 0;
    ImageStorage storage = ImageStorage::Decoded;
    void* data = nullptr;  // owned, read as `storage` says
    std::int16_t loaded = 0;
};

// Null while there is no picture.
extern SourceImage* g_sourceImage;

// Rows of a decoded picture are padded to a multiple of 4 bytes.
std::int64_t DecodedRowStride(std::int32_t channels, std::int32_t width);

// Frees what `data` holds by its storage and marks the record empty, leaving it in its list.
void FreeSourceImageData(SourceImage* image);

// Frees what `data` holds by its storage, marks the record empty and unlinks it; the caller frees
// the record.
void ReleaseSourceImage(SourceImage* image);

// Releases and frees g_sourceImage, leaving it null; nothing happens when there is no picture.
void ReleasePicture();
