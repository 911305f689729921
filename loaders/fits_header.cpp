// FITS reader. An astronomical FITS file starts with a primary header of 80-byte cards, padded
// to whole 2880-byte blocks, and the big-endian data array follows; samples are read in place
// from the mapping.
//
// Reads the cards whose 8-byte keyword field is exactly (case-sensitive, blank-padded) "SIMPLE  ",
// "BITPIX  ", "NAXIS   ", "NAXIS1  ", "NAXIS2  " or "END     ". A number is the "%ld" reading of
// the card from its tenth byte on, within the card; no number leaves the value as it was. SIMPLE's
// value is not examined. Every other card (NAXIS3, BSCALE, BZERO, BLANK, comments) is skipped,
// and nothing after the primary header is read: extensions are never looked at. The data start
// at the first 2880-byte boundary after the END card.
//
// Refuses, showing the path with one of these captions:
// - "Not a valid FITS file": the first card is not SIMPLE; the file ends before a whole END card;
//   or the picture does not lie inside the file (no width or height, or samples past the end).
// - "FITS Unsupported Data Type": BITPIX missing or other than 8, 16, 32, -32 or -64.
// A primary array of other than two axes (a cube, or no array at all) is refused without a
// message, as is a file that cannot be mapped.
#include "loaders/fits_header.h"

#include <cstddef>
#include <cstring>

#include "loaders/label_number.h"
#include "loaders/raster_bounds.h"
#include "loaders/reader_refusal.h"

namespace {

const wchar_t* const kNotValid = L"Not a valid FITS file";
const wchar_t* const kUnsupported = L"FITS Unsupported Data Type";

constexpr std::size_t kCardBytes = 80;
constexpr std::size_t kCardsPerBlock = 36;  // 2880 bytes
constexpr std::size_t kKeywordBytes = 8;
constexpr std::size_t kValueStart = 9;

struct HeaderState {
    bool simple = false;
    bool end = false;
    std::int32_t axes = 0;
};

bool IsKeyword(const unsigned char* card, const char* keyword) {
    return std::memcmp(card, keyword, kKeywordBytes) == 0;
}

void ReadNumber(const unsigned char* card, std::int32_t* field) {
    ParseLabelNumber(card + kValueStart, kCardBytes - kValueStart, field, nullptr);
}

void ApplyCard(const unsigned char* card, RasterFile* raster, HeaderState* state) {
    if (IsKeyword(card, "BITPIX  ")) {
        ReadNumber(card, &raster->sampleFormat);
    } else if (IsKeyword(card, "NAXIS   ")) {
        ReadNumber(card, &state->axes);
    } else if (IsKeyword(card, "NAXIS1  ")) {
        ReadNumber(card, &raster->width);
    } else if (IsKeyword(card, "NAXIS2  ")) {
        ReadNumber(card, &raster->height);
    } else if (IsKeyword(card, "END     ")) {
        state->end = true;
    } else if (IsKeyword(card, "SIMPLE  ")) {
        state->simple = true;
    }
}

// Bytes per sample of an accepted BITPIX, 0 for any other.
std::int32_t SampleBytes(std::int32_t bitpix) {
    switch (bitpix) {
    case 8:
    case 16:
    case 32:
        return bitpix / 8;
    case -32:
    case -64:
        return -bitpix / 8;
    default:
        return 0;
    }
}

}  // namespace

bool ParseFitsHeader(RasterFile* raster, const wchar_t* path) {
    if (!MapFile(path, &raster->file)) return false;
    return ReadFitsHeader(raster, path);
}

bool ReadFitsHeader(RasterFile* raster, const wchar_t* path) {
    const MappedFile& file = raster->file;
    raster->width = 0;
    raster->height = 0;
    raster->channels = 1;
    HeaderState state;
    std::uint64_t cards = 0;
    while (!state.end) {
        // Only whole cards are read: a header cut short by the end of the file has no END.
        if (!IsInsideMapping(file, cards * kCardBytes, kCardBytes)) return RefuseFile(path, kNotValid);
        ApplyCard(file.view + cards * kCardBytes, raster, &state);
        ++cards;
        if (!state.simple) return RefuseFile(path, kNotValid);
    }
    // The data begin at the next block boundary at or after the end of the END card.
    const std::uint64_t headerCards = (cards + kCardsPerBlock - 1) / kCardsPerBlock * kCardsPerBlock;
    raster->dataOffset = RasterDataOffset(static_cast<std::int64_t>(headerCards * kCardBytes));
    const std::int32_t sampleBytes = SampleBytes(raster->sampleFormat);
    if (sampleBytes == 0) return RefuseFile(path, kUnsupported);
    if (state.axes != 2) return false;
    if (!RasterLiesInsideFile(*raster, sampleBytes)) return RefuseFile(path, kNotValid);
    return true;
}
