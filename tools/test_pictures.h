#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "loaders/raster_file.h"

// Pictures of one test pattern in the two scientific formats the game reads itself, written the
// way other software writes them. Used by the tests and as seeds for the fuzzers.

// The grey level, 0 to 255, of the pattern at column x of row y, rows counted in the order the
// file stores them (row 0 is the first stored row, drawn lowest). A frame one pixel wide is 255,
// so is the block of the first width/8 columns of the first height/8 rows (it shows which corner
// the file starts at); inside the frame, squares of 16 pixels alternate between a ramp that
// rises to the right, x × 255 / (width − 1), and one that falls upward,
// 255 − y × 255 / (height − 1); the square holding (1, 1) is of the first kind.
std::int32_t TestPatternLevel(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height);

// One PDS sample layout: its SAMPLE_TYPE name, SAMPLE_BITS, and how its samples are stored.
// A level L of the pattern is stored at the full scale of the type: unsigned integers hold
// L × (2^bits − 1) / 255, signed integers L × (2^(bits − 1) − 1) / 255, reals L / 255.
struct PdsSampleLayout {
    const char* sampleType;
    std::int32_t bits;
    SampleByteOrder order;
    SampleKind kind;
    bool isSigned;
};

// Every layout written: 8-bit unsigned; 16-bit unsigned and signed in both byte orders; 32-bit
// signed integers and reals in both byte orders.
const std::vector<PdsSampleLayout>& PdsSampleLayouts();

// Every BITPIX the FITS reader accepts. A level L is stored at the type's positive full scale:
// L × 127 / 255, L × 32767 / 255 and L × 2147483647 / 255 for 8, 16 and 32; L / 255 for -32, -64.
const std::vector<std::int32_t>& FitsBitpixValues();

// The file name the tool gives each picture, such as "pattern_lsb_integer_16.img" or
// "pattern_bitpix_minus_32.fits".
std::string PdsPictureName(const PdsSampleLayout& layout);
std::string FitsPictureName(std::int32_t bitpix);

// A whole .img file: an attached label (PDS3, CR LF line ends, records of one image line) and the
// pattern's samples from the record that ^IMAGE names.
std::vector<unsigned char> MakePdsPicture(const PdsSampleLayout& layout, std::int32_t width,
                                          std::int32_t height);

// A whole FITS file: a primary header of SIMPLE, BITPIX, NAXIS, NAXIS1, NAXIS2, a comment and
// END, padded to 2880 bytes, and the pattern's big-endian samples padded with zeros to a block.
std::vector<unsigned char> MakeFitsPicture(std::int32_t bitpix, std::int32_t width, std::int32_t height);
