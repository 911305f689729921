#pragma once

#include <cstdint>

#include "imaging/colour.h"
#include "loaders/source_image.h"

// The whole pixel at column x, row y of the picture; rows count from the bottom. False, with
// opaque black, when the picture is not loaded or has no pixel there.
bool SamplePixel(const SourceImage& image, std::int32_t x, std::int32_t y, Colour* colour);
