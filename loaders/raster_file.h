#pragma once

#include <cstdint>

#include "loaders/mapped_file.h"
#include "model/list.h"

struct SampleStretch;

// What a PDS label says of its samples; FITS samples are always big-endian and typed by BITPIX.
enum class SampleByteOrder : std::int32_t { Unstated = 0, BigEndian = 1, LittleEndian = 2 };
enum class SampleKind : std::int32_t { Unstated = 0, Integer = 1, Real = 2 };

// A FITS or PDS picture read in place: the whole file stays mapped while the picture is shown and
// samples are read from the mapping as they are drawn.
struct RasterFile {
    ListItem links;  // never linked
    MappedFile file;
    std::int32_t dataOffset = 0;    // bytes from the start of the file to the first sample
    std::int32_t sampleFormat = 0;  // PDS: SAMPLE_BITS; FITS: BITPIX
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t channels = 0;
    SampleByteOrder byteOrder = SampleByteOrder::Unstated;
    SampleKind sampleKind = SampleKind::Unstated;
    bool signedIntegers = false;  // PDS: SAMPLE_TYPE names a signed integer; unsigned when it does not say
    SampleStretch* stretch = nullptr;  // owned: the measured range of the samples, for the contrast stretch
};

// Unmaps the file, frees the measured stretch and unlinks the record; the caller frees it.
void CloseRasterFile(RasterFile* raster);
