#include "loaders/fits_header.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "raster_reading.h"
#include "support/test_files.h"

namespace {

const std::wstring kNotValid = L"Not a valid FITS file: picture";
const std::wstring kUnsupported = L"FITS Unsupported Data Type: picture";

std::string Card(const std::string& text) { return text + std::string(80 - text.size(), ' '); }

// A card in the fixed format: the keyword blank-padded to 8 bytes, "= ", the number right-aligned in 20.
std::string Card(const std::string& keyword, long number) {
    const std::string value = std::to_string(number);
    return Card(keyword + std::string(8 - keyword.size(), ' ') + "= " + std::string(20 - value.size(), ' ') + value);
}

// SIMPLE, BITPIX, NAXIS = 2, NAXIS1 and NAXIS2: all but the END card of a picture's header.
std::vector<std::string> Picture(long bitpix, long width, long height) {
    return {Card("SIMPLE  =                    T"), Card("BITPIX", bitpix), Card("NAXIS", 2),
            Card("NAXIS1", width), Card("NAXIS2", height)};
}

// These cards, then END, blanks to the block's end and `dataBytes` bytes of samples.
ReadOutcome ReadHeader(std::vector<std::string> cards, std::size_t dataBytes) {
    cards.push_back(Card("END"));
    std::string bytes;
    for (const std::string& card : cards) bytes += card;
    bytes.resize((bytes.size() + 2879) / 2880 * 2880, ' ');
    bytes.resize(bytes.size() + dataBytes, '\0');
    return ReadFromMemory(ReadFitsHeader, bytes);
}

std::vector<std::string> WithComments(std::vector<std::string> cards, std::size_t count) {
    while (cards.size() < count) cards.push_back(Card("COMMENT   filler"));
    return cards;
}

}  // namespace

TEST(FitsHeader, ReadsTheTwoAxisPictureAndFindsTheBlockAfterEnd) {
    const ReadOutcome read = ReadHeader(Picture(16, 3, 2), 12);
    EXPECT_TRUE(read.accepted);
    EXPECT_EQ(read.raster.width, 3);
    EXPECT_EQ(read.raster.height, 2);
    EXPECT_EQ(read.raster.sampleFormat, 16);
    EXPECT_EQ(read.raster.channels, 1);
    EXPECT_EQ(read.raster.dataOffset, 2880);
    EXPECT_EQ(MessagesShown(read.messages), L"");

    // END as the 10th, 36th and 37th card.
    EXPECT_EQ(ReadHeader(WithComments(Picture(8, 3, 2), 9), 6).raster.dataOffset, 2880);
    EXPECT_EQ(ReadHeader(WithComments(Picture(8, 3, 2), 35), 6).raster.dataOffset, 2880);
    const ReadOutcome long37 = ReadHeader(WithComments(Picture(8, 3, 2), 36), 6);
    EXPECT_TRUE(long37.accepted);
    EXPECT_EQ(long37.raster.dataOffset, 5760);
}

TEST(FitsHeader, AcceptsTheFiveSampleTypesOnly) {
    for (long bitpix : {8, 16, 32, -32, -64}) {
        const ReadOutcome read = ReadHeader(Picture(bitpix, 3, 2), 6 * 8);
        EXPECT_TRUE(read.accepted) << bitpix;
        EXPECT_EQ(read.raster.sampleFormat, bitpix);
    }
    for (long bitpix : {64, -16, 0, 24, 12}) {
        const ReadOutcome read = ReadHeader(Picture(bitpix, 3, 2), 6 * 8);
        EXPECT_FALSE(read.accepted) << bitpix;
        EXPECT_EQ(MessagesShown(read.messages), kUnsupported) << bitpix;
    }
    std::vector<std::string> noBitpix = Picture(16, 3, 2);
    noBitpix.erase(noBitpix.begin() + 1);
    EXPECT_EQ(MessagesShown(ReadHeader(noBitpix, 12).messages), kUnsupported);
}

TEST(FitsHeader, SimpleMustComeFirstButItsValueIsNotExamined) {
    std::vector<std::string> untrue = Picture(16, 3, 2);
    untrue[0] = Card("SIMPLE  =                    F");
    EXPECT_TRUE(ReadHeader(untrue, 12).accepted);

    std::vector<std::string> late = Picture(16, 3, 2);
    std::swap(late[0], late[1]);
    const ReadOutcome read = ReadHeader(late, 12);
    EXPECT_FALSE(read.accepted);
    EXPECT_EQ(MessagesShown(read.messages), kNotValid);

    std::vector<std::string> extension = Picture(16, 3, 2);
    extension[0] = Card("XTENSION= 'IMAGE   '");
    EXPECT_EQ(MessagesShown(ReadHeader(extension, 12).messages), kNotValid);
}

TEST(FitsHeader, ArraysOfOtherThanTwoAxesAreRefusedWithoutAMessage) {
    for (long axes : {3, 0, 1, 5}) {
        std::vector<std::string> cards = Picture(16, 3, 2);
        cards[2] = Card("NAXIS", axes);
        cards.push_back(Card("NAXIS3", 2));
        const ReadOutcome read = ReadHeader(cards, 24);
        EXPECT_FALSE(read.accepted) << axes;
        EXPECT_EQ(MessagesShown(read.messages), L"") << axes;
    }
    // The sample type is still checked, and told.
    std::vector<std::string> cube = Picture(64, 3, 2);
    cube[2] = Card("NAXIS", 3);
    EXPECT_EQ(MessagesShown(ReadHeader(cube, 48).messages), kUnsupported);
}

TEST(FitsHeader, OnlyExactBlankPaddedUpperCaseKeywordsCount) {
    std::vector<std::string> unpadded = Picture(16, 3, 2);
    unpadded[3] = Card("NAXIS1= 3");
    const ReadOutcome read = ReadHeader(unpadded, 12);
    EXPECT_EQ(read.raster.width, 0);
    EXPECT_EQ(MessagesShown(read.messages), kNotValid);

    std::vector<std::string> lower = Picture(16, 3, 2);
    lower[1] = Card("bitpix  =                   16");
    EXPECT_EQ(MessagesShown(ReadHeader(lower, 12).messages), kUnsupported);

    // A value is read within its own card: a blank one does not take the next card's number.
    std::vector<std::string> blank = Picture(16, 3, 2);
    blank.push_back(Card("NAXIS1  ="));
    blank.push_back(Card("                   9"));
    const ReadOutcome kept = ReadHeader(blank, 12);
    EXPECT_TRUE(kept.accepted);
    EXPECT_EQ(kept.raster.width, 3);
}

TEST(FitsHeader, PictureThatDoesNotLieInsideTheFileIsNotValid) {
    struct Case {
        const char* why;
        long width;
        long height;
        std::size_t dataBytes;
    };
    const Case cases[] = {
        {"one byte short", 3, 2, 11},   {"no width", 0, 2, 12},
        {"no height", 3, 0, 12},        {"negative width", -3, 2, 12},
        {"beyond 64 bits", 2147483647, 2147483647, 12},
    };
    for (const Case& c : cases) {
        const ReadOutcome read = ReadHeader(Picture(16, c.width, c.height), c.dataBytes);
        EXPECT_FALSE(read.accepted) << c.why;
        EXPECT_EQ(MessagesShown(read.messages), kNotValid) << c.why;
    }
    // A header that fills the whole file: its data would start where the file ends.
    EXPECT_EQ(MessagesShown(ReadHeader(Picture(8, 1, 1), 0).messages), kNotValid);
    EXPECT_TRUE(ReadHeader(Picture(8, 1, 1), 1).accepted);
}

TEST(FitsHeader, HeadersCutShortByTheEndOfTheFileAreNotValid) {
    std::string cards;
    for (const std::string& card : Picture(16, 1, 1)) cards += card;
    const std::string cut[] = {
        cards,                                     // no END card
        cards + Card("END").substr(0, 3),          // END cut short
        cards + Card("NAXIS2", 1).substr(0, 30),   // a number at the very end of the file
        cards.substr(0, 40),                       // not even one whole card
        std::string(),
    };
    for (const std::string& bytes : cut) {
        const ReadOutcome read = ReadFromMemory(ReadFitsHeader, bytes);
        EXPECT_FALSE(read.accepted) << bytes.size();
        EXPECT_EQ(MessagesShown(read.messages), kNotValid) << bytes.size();
    }
}

TEST(FitsHeader, FilesThatCannotBeMappedAreRefusedSilently) {
    ForgetShownMessages();
    RasterFile missing;
    EXPECT_FALSE(ParseFitsHeader(&missing, MissingTestFile("absent.fits").c_str()));
    RasterFile empty;
    EXPECT_FALSE(ParseFitsHeader(&empty, WriteTestFile("empty.fits", std::string()).c_str()));
    EXPECT_TRUE(ShownMessages().empty());
    CloseRasterFile(&missing);
    CloseRasterFile(&empty);
}
