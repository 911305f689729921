#include "loaders/pds_label.h"

#include <gtest/gtest.h>

#include <string>

#include "raster_reading.h"
#include "support/test_files.h"

namespace {

const std::wstring kNotValid = L"Not a valid IMG file: picture";
const std::wstring kUnsupported = L"Unsupported Data Type: picture";

// A label of these lines, then blanks up to `size` bytes.
ReadOutcome ReadLabel(const std::string& label, std::size_t size) {
    std::string bytes = label;
    if (bytes.size() < size) bytes.resize(size, ' ');
    return ReadFromMemory(ReadPdsLabel, bytes);
}

// A 4 × 2 picture of 8-bit samples whose label fills the first two records of 64 bytes: its
// samples are bytes 128 to 135. `middle` goes between the head and the END line.
std::string Label(const std::string& middle) {
    return "PDS_VERSION_ID = PDS3\r\nRECORD_BYTES = 64\r\n" + middle + "END\r\n";
}
const std::string kPicture = "^IMAGE = 3\r\nLINES = 2\r\nLINE_SAMPLES = 4\r\nSAMPLE_BITS = 8\r\n";

}  // namespace

TEST(PdsLabel, ReadsSizeSampleBitsAndTheRecordTheSamplesStartAt) {
    const ReadOutcome read = ReadLabel(Label(kPicture), 136);
    EXPECT_TRUE(read.accepted);
    EXPECT_EQ(read.raster.width, 4);
    EXPECT_EQ(read.raster.height, 2);
    EXPECT_EQ(read.raster.sampleFormat, 8);
    EXPECT_EQ(read.raster.channels, 1);
    EXPECT_EQ(read.raster.dataOffset, 128);  // (3 - 1) × 64
    EXPECT_EQ(MessagesShown(read.messages), L"");

    // Record 1 is the label's own first record; the samples may lie anywhere inside the file.
    const ReadOutcome first = ReadLabel(Label("^IMAGE = 1\r\nLINES = 2\r\nLINE_SAMPLES = 4\r\nSAMPLE_BITS = 8\r\n"), 0);
    EXPECT_TRUE(first.accepted);
    EXPECT_EQ(first.raster.dataOffset, 0);
}

TEST(PdsLabel, VersionMayStandOnTheSecondLineButNoLater) {
    const ReadOutcome second = ReadLabel(
        "CCSD3ZF0000100000001NJPL3IF0PDS200000001 = SFDU_LABEL\r\n" + Label(kPicture), 136 + 64);
    EXPECT_TRUE(second.accepted);
    EXPECT_EQ(MessagesShown(second.messages), L"");

    const ReadOutcome third = ReadLabel("/* comment */\r\n\r\n" + Label(kPicture), 200);
    EXPECT_FALSE(third.accepted);
    EXPECT_EQ(MessagesShown(third.messages), kNotValid);

    // The label ends on its first line: there is no SAMPLE_BITS to speak of.
    const ReadOutcome ended = ReadLabel("END\r\nPDS_VERSION_ID = PDS3\r\n", 64);
    EXPECT_FALSE(ended.accepted);
    EXPECT_EQ(MessagesShown(ended.messages), kUnsupported);
}

TEST(PdsLabel, ImagePointerCountsRecordsOrWithBytesUnitBytesFromOne) {
    const std::string size = "LINES = 2\r\nLINE_SAMPLES = 4\r\nSAMPLE_BITS = 8\r\n";
    const ReadOutcome bytes = ReadLabel(Label("^IMAGE = 201 <BYTES>\r\n" + size), 208);
    EXPECT_TRUE(bytes.accepted);
    EXPECT_EQ(bytes.raster.dataOffset, 200);

    const ReadOutcome lowerUnit = ReadLabel(Label("^IMAGE = 150<bytes>\r\n" + size), 208);
    EXPECT_EQ(lowerUnit.raster.dataOffset, 149);

    // The last pointer wins, with its own unit: ^IMAGE_HEADER is read as an ^IMAGE too.
    const ReadOutcome header = ReadLabel(Label("^IMAGE_HEADER = 11 <BYTES>\r\n^IMAGE = 3\r\n" + size), 136);
    EXPECT_EQ(header.raster.dataOffset, 128);
    const ReadOutcome later = ReadLabel(Label("^IMAGE = 3\r\n^IMAGE_HEADER = 11 <BYTES>\r\n" + size), 136);
    EXPECT_EQ(later.raster.dataOffset, 10);

    // Another object's pointer is not the picture's.
    const ReadOutcome browse = ReadLabel(Label("^BROWSE_IMAGE = 9 <BYTES>\r\n^IMAGE = 3\r\n" + size), 136);
    EXPECT_EQ(browse.raster.dataOffset, 128);
}

TEST(PdsLabel, KeywordsAreFoundIndentedInsideObjectsAndTheLastValueWins) {
    const ReadOutcome read = ReadLabel(Label("^IMAGE = 3\r\n"
                                             "OBJECT = BROWSE_IMAGE\r\n"
                                             "  LINES = 9\r\n"
                                             "  LINE_SAMPLES = 9\r\n"
                                             "END_OBJECT = BROWSE_IMAGE\r\n"
                                             "OBJECT = IMAGE\r\n"
                                             "    LINES        = 2\n"  // a bare line feed ends a line too
                                             "    LINE_SAMPLES = 4\r\n"
                                             "END_OBJECT = IMAGE\r\n"
                                             "SAMPLE_BITS = 16\r\n"),
                                       144);
    EXPECT_TRUE(read.accepted);
    EXPECT_EQ(read.raster.width, 4);
    EXPECT_EQ(read.raster.height, 2);
    EXPECT_EQ(read.raster.sampleFormat, 16);  // read after END_OBJECT: that line did not end the label

    // Nothing after END counts.
    const ReadOutcome after = ReadLabel(Label(kPicture) + "SAMPLE_BITS = 12\r\n", 160);
    EXPECT_TRUE(after.accepted);
    EXPECT_EQ(after.raster.sampleFormat, 8);
}

TEST(PdsLabel, SampleBitsOtherThan8_16Or32AreUnsupported) {
    for (const char* bits : {"12", "64", "0", "-8", "EIGHT"}) {
        const ReadOutcome read = ReadLabel(Label(std::string("^IMAGE = 3\r\nLINES = 2\r\nLINE_SAMPLES = 4\r\nSAMPLE_BITS = ") + bits + "\r\n"), 256);
        EXPECT_FALSE(read.accepted) << bits;
        EXPECT_EQ(MessagesShown(read.messages), kUnsupported) << bits;
    }
    const ReadOutcome missing = ReadLabel(Label("^IMAGE = 3\r\nLINES = 2\r\nLINE_SAMPLES = 4\r\n"), 256);
    EXPECT_EQ(MessagesShown(missing.messages), kUnsupported);

    // Keywords are matched case-sensitively, and a keyword line without "=" gives no value.
    const ReadOutcome lower = ReadLabel(Label("^IMAGE = 3\r\nlines = 2\r\nLINE_SAMPLES = 4\r\nsample_bits = 8\r\n"), 256);
    EXPECT_EQ(MessagesShown(lower.messages), kUnsupported);
    const ReadOutcome noEquals = ReadLabel(Label("^IMAGE = 3\r\nLINES = 2\r\nLINE_SAMPLES = 4\r\nSAMPLE_BITS 8\r\n"), 256);
    EXPECT_EQ(MessagesShown(noEquals.messages), kUnsupported);
}

TEST(PdsLabel, PictureThatDoesNotLieInsideTheFileIsNotValid) {
    struct Case {
        const char* why;
        std::string middle;
        std::size_t size;
    };
    const std::string bits = "SAMPLE_BITS = 16\r\n";
    const Case cases[] = {
        {"one byte short", "^IMAGE = 3\r\nLINES = 2\r\nLINE_SAMPLES = 4\r\n" + bits, 143},
        {"no width", "^IMAGE = 3\r\nLINES = 2\r\n" + bits, 400},
        {"no height", "^IMAGE = 3\r\nLINE_SAMPLES = 4\r\n" + bits, 400},
        {"negative height", "^IMAGE = 3\r\nLINES = -2\r\nLINE_SAMPLES = 4\r\n" + bits, 400},
        {"detached file and record", "^IMAGE = (\"FF01.IMG\",3)\r\nLINES = 2\r\nLINE_SAMPLES = 4\r\n" + bits, 400},
        {"detached file", "^IMAGE = \"PAN1IRED.IMG\"\r\nLINES = 2\r\nLINE_SAMPLES = 4\r\n" + bits, 400},
        {"byte 0", "^IMAGE = 0 <BYTES>\r\nLINES = 2\r\nLINE_SAMPLES = 4\r\n" + bits, 400},
        {"past the end", "^IMAGE = 9\r\nLINES = 2\r\nLINE_SAMPLES = 4\r\n" + bits, 400},
        {"offset beyond 32 bits", "RECORD_BYTES = 2000000000\r\n^IMAGE = 3\r\nLINES = 1\r\nLINE_SAMPLES = 1\r\n" + bits, 400},
        {"offset beyond 32 bits negative", "RECORD_BYTES = 2000000000\r\n^IMAGE = -2000000000\r\nLINES = 1\r\nLINE_SAMPLES = 1\r\n" + bits, 400},
        {"sample count beyond 64 bits", "^IMAGE = 1\r\nLINES = 2147483647\r\nLINE_SAMPLES = 2147483647\r\n" + bits, 400},
    };
    for (const Case& c : cases) {
        const ReadOutcome read = ReadLabel(Label(c.middle), c.size);
        EXPECT_FALSE(read.accepted) << c.why;
        EXPECT_EQ(MessagesShown(read.messages), kNotValid) << c.why;
    }
    // The same picture with its last byte present is accepted.
    EXPECT_TRUE(ReadLabel(Label("^IMAGE = 3\r\nLINES = 2\r\nLINE_SAMPLES = 4\r\n" + bits), 144).accepted);
    // A detached pointer leaves minus one record, as its record number stays 0.
    EXPECT_EQ(ReadLabel(Label(cases[4].middle), 400).raster.dataOffset, -64);
}

TEST(PdsLabel, LabelsCutShortByTheEndOfTheFileAreNotValid) {
    const char* const cut[] = {
        "PDS_VERSION_ID = PDS3\r\nSAMPLE_BITS = 8\r\nLINES = 1\r\nLINE_SAMPLES = 1\r\n",  // no END
        "PDS_VERSION_ID = PDS3 SAMPLE_BITS = 8 END",                                        // no line feed
        "PDS_VERSION_ID = PDS3\r\nSAMPLE_BITS = 8\r\nLINES = 1\r\nLINE_SAMPLES = 12",      // a number at the very end
        "PDS_VERSION_ID = PDS3\r\nSAMPLE_BITS =",                                            // a value cut off
        "PDS_VERSION_ID = PDS3\r\nEN",                                                       // a keyword cut off
        "PDS_VERS",
        "",
    };
    for (const char* label : cut) {
        const ReadOutcome read = ReadFromMemory(ReadPdsLabel, std::string(label));
        EXPECT_FALSE(read.accepted) << label;
        EXPECT_EQ(MessagesShown(read.messages), kNotValid) << label;
    }
    // END without a line feed, its samples straight after it, is a whole label.
    const std::string tight =
        "PDS_VERSION_ID = PDS3\nRECORD_BYTES = 1\nLINES = 1\nLINE_SAMPLES = 2\nSAMPLE_BITS = 8\n^IMAGE = 98\nEND";
    ASSERT_EQ(tight.size(), 97u);
    const ReadOutcome read = ReadFromMemory(ReadPdsLabel, tight + "\x01\x02");
    EXPECT_TRUE(read.accepted);
    EXPECT_EQ(read.raster.dataOffset, 97);
}

TEST(PdsLabel, SampleTypeTellsTheByteOrderAndKind) {
    struct Case {
        const char* type;
        SampleByteOrder order;
        SampleKind kind;
    };
    const auto big = SampleByteOrder::BigEndian;
    const auto little = SampleByteOrder::LittleEndian;
    const auto unstated = SampleByteOrder::Unstated;
    const Case cases[] = {
        {"MSB_INTEGER", big, SampleKind::Integer},        {"MSB_UNSIGNED_INTEGER", big, SampleKind::Integer},
        {"SUN_INTEGER", big, SampleKind::Integer},        {"MAC_UNSIGNED_INTEGER", big, SampleKind::Integer},
        {"IEEE_REAL", big, SampleKind::Real},             {"SUN_REAL", big, SampleKind::Real},
        {"MAC_REAL", big, SampleKind::Real},              {"INTEGER", big, SampleKind::Integer},
        {"UNSIGNED_INTEGER", big, SampleKind::Integer},   {"REAL", big, SampleKind::Real},
        {"LSB_INTEGER", little, SampleKind::Integer},     {"LSB_UNSIGNED_INTEGER", little, SampleKind::Integer},
        {"PC_INTEGER", little, SampleKind::Integer},      {"PC_UNSIGNED_INTEGER", little, SampleKind::Integer},
        {"PC_REAL", little, SampleKind::Real},            {"VAX_INTEGER", little, SampleKind::Integer},
        {"VAX_UNSIGNED_INTEGER", little, SampleKind::Integer}, {"VAX_REAL", little, SampleKind::Real},
        {"\"LSB_INTEGER\"", little, SampleKind::Integer}, {"msb_integer", big, SampleKind::Integer},
        {"IEEE_COMPLEX", unstated, SampleKind::Unstated}, {"MSB_BIT_STRING", unstated, SampleKind::Unstated},
        {"ASCII_INTEGER", unstated, SampleKind::Unstated}, {"CHARACTER", unstated, SampleKind::Unstated},
        {"N/A", unstated, SampleKind::Unstated},          {"", unstated, SampleKind::Unstated},
    };
    for (const Case& c : cases) {
        const ReadOutcome read = ReadLabel(Label(kPicture + "SAMPLE_TYPE = " + c.type + "\r\n"), 160);
        EXPECT_TRUE(read.accepted) << c.type;
        EXPECT_EQ(read.raster.byteOrder, c.order) << c.type;
        EXPECT_EQ(read.raster.sampleKind, c.kind) << c.type;
    }
    const ReadOutcome missing = ReadLabel(Label(kPicture), 136);
    EXPECT_EQ(missing.raster.byteOrder, SampleByteOrder::Unstated);
    EXPECT_EQ(missing.raster.sampleKind, SampleKind::Unstated);
}

TEST(PdsLabel, FilesThatCannotBeMappedAreRefusedSilently) {
    ForgetShownMessages();
    RasterFile missing;
    EXPECT_FALSE(ParsePdsLabel(&missing, MissingTestFile("absent.img").c_str()));
    RasterFile empty;
    EXPECT_FALSE(ParsePdsLabel(&empty, WriteTestFile("empty.img", std::string()).c_str()));
    EXPECT_TRUE(ShownMessages().empty());
    CloseRasterFile(&missing);
    CloseRasterFile(&empty);

    // A mapped file is refused with its path as the message's text, and stays mapped.
    const std::wstring path = WriteTestFile("text.img", std::string("hello\nworld\n"));
    RasterFile text;
    EXPECT_FALSE(ParsePdsLabel(&text, path.c_str()));
    ASSERT_EQ(ShownMessages().size(), 1u);
    EXPECT_EQ(ShownMessages()[0].text, path);
    EXPECT_EQ(ShownMessages()[0].caption, L"Not a valid IMG file");
    EXPECT_NE(text.file.view, nullptr);
    CloseRasterFile(&text);
    ForgetShownMessages();
}
