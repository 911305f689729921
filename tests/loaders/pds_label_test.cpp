#include "loaders/pds_label.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "raster_reading.h"

namespace {

const std::wstring kNotValid = L"Not a valid IMG file: picture";
const std::wstring kUnsupported = L"Unsupported Data Type: picture";

// 4 samples a line, 2 lines, 8 bits each.
const std::string kSize = "LINES = 2\r\nLINE_SAMPLES = 4\r\nSAMPLE_BITS = 8\r\n";

// An attached label of records of 64 bytes, its ^IMAGE pointing as `pointer` says.
std::string Label(const std::string& pointer, const std::string& lines = kSize) {
    return "PDS_VERSION_ID = PDS3\r\nRECORD_BYTES = 64\r\n^IMAGE = " + pointer + "\r\n" + lines + "END\r\n";
}

// `label`, blank-padded to `size` bytes.
ReadOutcome ReadLabel(std::string label, std::size_t size) {
    if (label.size() < size) label.resize(size, ' ');
    return ReadFromMemory(ReadPdsLabel, label);
}

}  // namespace

TEST(PdsLabel, ReadsTheFourByTwoPictureWhereItsPointerSaysOrRefusesWithTheRightMessage) {
    // `shown` is "" when the picture is read; the label is blank-padded to `size` bytes.
    const struct { const char* why; std::string label; std::size_t size; std::wstring shown; std::int32_t dataOffset; }
        cases[] = {
        // Record 3 of 64 bytes: the samples are bytes 128 to 135.
        {"records count from 1", Label("3"), 136, L"", 128},
        {"the last 16-bit sample one byte past the end",
         Label("3", "LINES = 2\r\nLINE_SAMPLES = 4\r\nSAMPLE_BITS = 16\r\n"), 143, kNotValid, 0},
        {"version on the second line", "CCSD3ZF0000100000001NJPL3IF0PDS200000001 = SFDU_LABEL\r\n" + Label("3"), 200, L"", 128},
        {"version on the third line", "/* comment */\r\n\r\n" + Label("3"), 200, kNotValid, 0},
        {"^IMAGE in bytes, the unit in any case", Label("150<bytes>"), 208, L"", 149},
        {"^IMAGE_HEADER counts too: the last pointer wins, with its own unit",
         Label("201 <BYTES>", "^IMAGE_HEADER = 3\r\n" + kSize), 208, L"", 128},
        {"indented keywords inside objects, the last value winning",
         Label("9",
               "OBJECT = BROWSE_IMAGE\r\n  LINES = 9\r\n  LINE_SAMPLES = 9\r\nEND_OBJECT = BROWSE_IMAGE\r\n"
               "OBJECT = IMAGE\r\n    LINES        = 2\n    LINE_SAMPLES = 4\r\nEND_OBJECT = IMAGE\r\n"
               "SAMPLE_BITS = 8\r\n"),  // read after END_OBJECT: that line did not end the label
         520, L"", 512},
        {"nothing after END counts", Label("3") + "LINES = 9\r\n", 136, L"", 128},
        // The label is 97 bytes long, its END line without a line feed, the samples straight after it.
        {"END at the very end of the label",
         "PDS_VERSION_ID = PDS3\nRECORD_BYTES = 1\nLINES = 2\nLINE_SAMPLES = 4\nSAMPLE_BITS = 8\n^IMAGE = 98\nEND" +
             std::string(8, '\x01'),
         0, L"", 97},
        {"line feeds alone and END on a line of its own",
         "PDS_VERSION_ID = PDS3\nRECORD_BYTES = 1\nLINES = 2\nLINE_SAMPLES = 4\nSAMPLE_BITS = 8\n^IMAGE = 99\nEND\n" +
             std::string(8, '\x01'),
         0, L"", 98},
        {"SAMPLE_BITS = 12", Label("3", "LINES = 2\r\nLINE_SAMPLES = 4\r\nSAMPLE_BITS = 12\r\n"), 256, kUnsupported, 0},
        {"keywords in lower case", Label("3", "lines = 2\r\nLINE_SAMPLES = 4\r\nSAMPLE_BITS = 8\r\n"), 256, kNotValid, 0},
        {"no width", Label("3", "LINES = 2\r\nSAMPLE_BITS = 8\r\n"), 256, kNotValid, 0},
        {"detached file and record", Label("(\"FF01.IMG\",3)"), 400, kNotValid, 0},
        {"byte 0, before the start", Label("0 <BYTES>"), 400, kNotValid, 0},
        // (33554434 − 1) × 128 is 2^32 + 128: in 32 bits it would wrap round to the samples' place.
        {"the image pointer at the end of the file", Label("137<BYTES>"), 136, kNotValid, 0},
        {"the image pointer past the end of the file", Label("200<BYTES>"), 136, kNotValid, 0},
        {"an offset beyond 32 bits", Label("33554434", "RECORD_BYTES = 128\r\n" + kSize), 136, kNotValid, 0},
        {"sample count beyond 62 bits",
         Label("1", "LINES = 2147483647\r\nLINE_SAMPLES = 2147483647\r\nSAMPLE_BITS = 16\r\n"), 400, kNotValid, 0},
        {"no END", "PDS_VERSION_ID = PDS3\r\nSAMPLE_BITS = 8\r\nLINES = 1\r\nLINE_SAMPLES = 12", 0, kNotValid, 0},
        {"samples without a label, line feeds among them", std::string("\x10\n\x20\n\x30\n", 6), 0, kNotValid, 0},
        {"an empty file", "", 0, kNotValid, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        const ReadOutcome read = ReadLabel(c.label, c.size);
        EXPECT_EQ(read.shown, c.shown);
        EXPECT_EQ(read.accepted, c.shown.empty());
        if (!read.accepted) continue;
        EXPECT_EQ(read.raster.width, 4);
        EXPECT_EQ(read.raster.height, 2);
        EXPECT_EQ(read.raster.dataOffset, c.dataOffset);
    }
}

TEST(PdsLabel, SampleTypeTellsTheByteOrderAndKind) {
    // Each of the space-separated types, in a readable picture's label.
    const auto expect = [](const char* types, SampleByteOrder order, SampleKind kind) {
        std::istringstream names(types);
        for (std::string type; names >> type;) {
            const ReadOutcome read = ReadLabel(Label("3", kSize + "SAMPLE_TYPE = " + type + "\r\n"), 136);
            EXPECT_TRUE(read.accepted) << type;  // a type that cannot be shown is not refused here
            EXPECT_EQ(read.raster.byteOrder, order) << type;
            EXPECT_EQ(read.raster.sampleKind, kind) << type;
        }
    };
    const auto big = SampleByteOrder::BigEndian;
    const auto little = SampleByteOrder::LittleEndian;
    expect("MSB_INTEGER MSB_UNSIGNED_INTEGER SUN_INTEGER MAC_UNSIGNED_INTEGER INTEGER UNSIGNED_INTEGER msb_integer", big,
           SampleKind::Integer);
    expect("IEEE_REAL SUN_REAL MAC_REAL REAL", big, SampleKind::Real);
    expect("LSB_INTEGER LSB_UNSIGNED_INTEGER PC_INTEGER PC_UNSIGNED_INTEGER VAX_INTEGER VAX_UNSIGNED_INTEGER \"LSB_INTEGER\"",
           little, SampleKind::Integer);
    expect("PC_REAL VAX_REAL", little, SampleKind::Real);
    expect("IEEE_COMPLEX MSB_BIT_STRING ASCII_INTEGER CHARACTER N/A", SampleByteOrder::Unstated, SampleKind::Unstated);
}
