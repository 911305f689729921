#pragma once

#include <vector>

#include "tools/shown_picture.h"

// A whole uncompressed 24-bit BMP file of a three-channel picture: a 54-byte header, then the
// rows from the bottom up, each pixel blue, green, red, each row padded to a multiple of 4 bytes.
std::vector<unsigned char> BmpFile(const ShownPicture& picture);
