#pragma once

#include <cstdint>

#include "imaging/colour.h"
#include "loaders/raster_file.h"

// Scientific samples are brought to 8 bits by one fixed full-scale rule per sample type; the
// picture's own range is never measured.

// The FITS sample at (x, y) scaled so that the positive full scale of an integer type is 1.0;
// floating samples are taken as they are. 0.0 outside the raster, for a BITPIX this program does
// not read, and for a sample whose bytes do not lie wholly inside the mapping.
double ReadFitsSample(const RasterFile* raster, std::int32_t x, std::int32_t y);

// Sets red, green and blue to one byte of the PDS sample at (x, y): the most significant one
// (the second byte of a sample whose label states no byte order); 32-bit real samples follow the
// FITS grey rule. Black for an unsupported sample size or a sample outside the mapping.
void ReadPdsSample(const RasterFile& raster, std::int32_t x, std::int32_t y, Colour* colour);

// The 8-bit grey of a sample scaled to 0.0 … 1.0: full scale gives 255, and beyond it the level
// wraps modulo 256 instead of saturating. Not a number, or a product beyond 32 bits, gives 0.
inline std::uint8_t FullScaleGrey(double value) {
    const double level = value * 255.5;
    if (!(level > -2147483649.0 && level < 2147483648.0)) return 0;
    return static_cast<std::uint8_t>(static_cast<std::uint32_t>(static_cast<std::int32_t>(level)) & 0xFFu);
}
