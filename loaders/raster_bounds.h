#pragma once

#include <cstdint>

#include "loaders/raster_file.h"

// A byte offset as a raster holds it: one outside the 32-bit range becomes −1, which
// RasterLiesInsideFile refuses, rather than wrapping round to some place inside the file.
std::int32_t RasterDataOffset(std::int64_t offset);

// True when the raster's width × height samples of `sampleBytes` bytes each, from its dataOffset
// on, lie wholly inside its mapped file, and width and height are above 0. Every sample a reader
// accepts is then inside the mapping, however the header lied.
bool RasterLiesInsideFile(const RasterFile& raster, std::int32_t sampleBytes);
