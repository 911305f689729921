#pragma once

#include "loaders/source_image.h"

// Decodes a picture of an everyday format (JPEG, TIFF, GIF, BMP, PNG and whatever else the
// platform's imaging component knows) into `image` as 8-bit rows: on success it sets width,
// height, rowStride, channels, storage Decoded and data, and returns true. On failure it returns
// false and shows nothing (the caller tells the player); whatever it left in `data` is freed by
// the caller's release. On Windows, COM must already be initialised on the calling thread; a
// host without the platform's imaging component decodes nothing.
bool DecodeWithPlatform(SourceImage* image, const wchar_t* path);
