#include "loaders/fits_header.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "raster_reading.h"

namespace {

const std::wstring kNotValid = L"Not a valid FITS file: picture";
const std::wstring kUnsupported = L"FITS Unsupported Data Type: picture";

using Cards = std::vector<std::string>;

// A header's cards, each blank-padded to its 80 bytes.
std::string Header(const Cards& cards) {
    std::string bytes;
    for (const std::string& card : cards) bytes += card + std::string(80 - card.size(), ' ');
    return bytes;
}

// All but the END card of a picture's header, `more` cards after NAXIS2.
Cards Picture(long bitpix, long width, long height, long axes = 2, const Cards& more = {}) {
    Cards cards = {"SIMPLE  = T", "BITPIX  = " + std::to_string(bitpix), "NAXIS   = " + std::to_string(axes),
                   "NAXIS1  = " + std::to_string(width), "NAXIS2  = " + std::to_string(height)};
    cards.insert(cards.end(), more.begin(), more.end());
    return cards;
}

// `card` in place of the card at `at`, comments filling any gap before it.
Cards With(Cards cards, std::size_t at, const std::string& card) {
    if (cards.size() <= at) cards.resize(at + 1, "COMMENT");
    cards[at] = card;
    return cards;
}

// These cards, then END, blanks to the block's end and `dataBytes` bytes of samples.
std::string File(const Cards& cards, std::size_t dataBytes) {
    std::string bytes = Header(cards) + Header({"END"});
    bytes.resize((bytes.size() + 2879) / 2880 * 2880, ' ');
    return bytes + std::string(dataBytes, '\0');
}

}  // namespace

TEST(FitsHeader, ReadsATwoAxisPictureFromTheBlockAfterEndOrRefusesWithTheRightMessage) {
    const Cards picture = Picture(16, 3, 2);  // 12 bytes of samples
    const struct { const char* why; std::string bytes; bool accepted; std::wstring shown; std::int32_t dataOffset; }
        cases[] = {
        {"six cards", File(picture, 12), true, L"", 2880},
        {"END as the 36th card", File(With(picture, 34, "COMMENT"), 12), true, L"", 2880},
        {"END as the 37th card", File(With(picture, 35, "COMMENT"), 12), true, L"", 5760},
        {"SIMPLE = F", File(With(picture, 0, "SIMPLE  = F"), 12), true, L"", 2880},
        {"a blank value, the next card's number not taken", File(Picture(16, 3, 2, 2, {"NAXIS1  =", "         9"}), 12),
         true, L"", 2880},
        {"SIMPLE not first", File(With(picture, 0, "XTENSION= 'IMAGE   '"), 12), false, kNotValid, 0},
        {"an unpadded keyword", File(With(picture, 3, "NAXIS1= 3"), 12), false, kNotValid, 0},
        {"BITPIX 64", File(Picture(64, 3, 2), 48), false, kUnsupported, 0},
        {"NAXIS = 3", File(Picture(16, 3, 2, 3, {"NAXIS3  = 2"}), 24), false, L"", 0},
        {"NAXIS = 3 and BITPIX 64", File(Picture(64, 3, 2, 3, {"NAXIS3  = 2"}), 96), false, kUnsupported, 0},
        {"the last sample one byte past the end", File(picture, 11), false, kNotValid, 0},
        {"the last 64-bit real one byte past the end", File(Picture(-64, 3, 2), 47), false, kNotValid, 0},
        {"a header that fills the file", File(Picture(8, 1, 1), 0), false, kNotValid, 0},
        {"the data block past the end of a short file", Header(picture) + Header({"END"}), false, kNotValid, 0},
        {"no height", File(Picture(16, 3, 0), 12), false, kNotValid, 0},
        {"sample count beyond 62 bits", File(Picture(16, 2147483647, 2147483647), 12), false, kNotValid, 0},
        {"no END card", Header(picture), false, kNotValid, 0},
        {"a number at the very end of the file", Header(picture) + "NAXIS2  =          1", false, kNotValid, 0},
        {"an empty file", "", false, kNotValid, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        const ReadOutcome read = ReadFromMemory(ReadFitsHeader, c.bytes);
        EXPECT_EQ(read.accepted, c.accepted);
        EXPECT_EQ(read.shown, c.shown);
        if (!read.accepted) continue;
        EXPECT_EQ(read.raster.width, 3);
        EXPECT_EQ(read.raster.height, 2);
        EXPECT_EQ(read.raster.dataOffset, c.dataOffset);
    }
}
