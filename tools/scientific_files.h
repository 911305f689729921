#pragma once

#include <cstdint>
#include <vector>

// Whole files of the two scientific formats the game reads itself, around samples already in the
// order and byte order the file stores them (the first stored row is the one drawn lowest).

// A PDS .img file: an attached label (PDS3, CR LF line ends, records of one image line) and the
// samples from the record that ^IMAGE names.
std::vector<unsigned char> PdsFile(const char* sampleType, std::int32_t bits, std::int32_t width, std::int32_t height,
                                   const std::vector<unsigned char>& samples);

// A FITS file: a primary header of SIMPLE, BITPIX, NAXIS, NAXIS1, NAXIS2, the comment and END,
// padded to 2880 bytes, and the big-endian samples padded with zeros to a block.
std::vector<unsigned char> FitsFile(std::int32_t bitpix, std::int32_t width, std::int32_t height, const char* comment,
                                    const std::vector<unsigned char>& samples);
