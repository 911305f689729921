#include "tools/test_pictures.h"

#include <cstdio>
#include <cstring>

namespace {

constexpr std::size_t kFitsCardBytes = 80;
constexpr std::size_t kFitsBlockBytes = 2880;

// The stored bits of level L at the full scale of a sample type, as the header comment says.
std::uint64_t StoredSample(std::int32_t level, std::int32_t bits, SampleKind kind, bool isSigned) {
    if (kind == SampleKind::Real && bits == 32) {
        const float value = static_cast<float>(level) / 255.0f;
        std::uint32_t stored;
        std::memcpy(&stored, &value, sizeof stored);
        return stored;
    }
    if (kind == SampleKind::Real) {
        const double value = level / 255.0;
        std::uint64_t stored;
        std::memcpy(&stored, &value, sizeof stored);
        return stored;
    }
    const std::uint64_t fullScale = (std::uint64_t{1} << (isSigned ? bits - 1 : bits)) - 1;
    return fullScale * static_cast<std::uint64_t>(level) / 255;
}

void Append(std::vector<unsigned char>* bytes, std::uint64_t value, std::int32_t count,
            SampleByteOrder order) {
    for (std::int32_t i = 0; i < count; ++i) {
        const std::int32_t shift = order == SampleByteOrder::LittleEndian ? i : count - 1 - i;
        bytes->push_back(static_cast<unsigned char>(value >> (8 * shift)));
    }
}

void AppendPattern(std::vector<unsigned char>* bytes, std::int32_t width, std::int32_t height,
                   std::int32_t bits, SampleKind kind, bool isSigned, SampleByteOrder order) {
    for (std::int32_t y = 0; y < height; ++y) {
        for (std::int32_t x = 0; x < width; ++x) {
            const std::int32_t level = TestPatternLevel(x, y, width, height);
            Append(bytes, StoredSample(level, bits, kind, isSigned), bits / 8, order);
        }
    }
}

std::string PdsLabel(const PdsSampleLayout& layout, std::int32_t width, std::int32_t height,
                     std::int64_t recordBytes, std::int64_t labelRecords) {
    char text[1024];
    std::snprintf(text, sizeof text,
                  "PDS_VERSION_ID       = PDS3\r\n"
                  "RECORD_TYPE          = FIXED_LENGTH\r\n"
                  "RECORD_BYTES         = %lld\r\n"
                  "FILE_RECORDS         = %lld\r\n"
                  "LABEL_RECORDS        = %lld\r\n"
                  "^IMAGE               = %lld\r\n"
                  "OBJECT               = IMAGE\r\n"
                  "  LINES              = %ld\r\n"
                  "  LINE_SAMPLES       = %ld\r\n"
                  "  SAMPLE_TYPE        = %s\r\n"
                  "  SAMPLE_BITS        = %ld\r\n"
                  "END_OBJECT           = IMAGE\r\n"
                  "END\r\n",
                  static_cast<long long>(recordBytes), static_cast<long long>(labelRecords + height),
                  static_cast<long long>(labelRecords), static_cast<long long>(labelRecords + 1),
                  static_cast<long>(height), static_cast<long>(width), layout.sampleType,
                  static_cast<long>(layout.bits));
    return text;
}

void AppendCard(std::vector<unsigned char>* bytes, const char* keyword, long value) {
    char card[kFitsCardBytes + 1];
    std::snprintf(card, sizeof card, "%-8s= %20ld%50s", keyword, value, "");
    bytes->insert(bytes->end(), card, card + kFitsCardBytes);
}

void AppendText(std::vector<unsigned char>* bytes, const char* text) {
    char card[kFitsCardBytes + 1];
    std::snprintf(card, sizeof card, "%-80s", text);
    bytes->insert(bytes->end(), card, card + kFitsCardBytes);
}

void PadTo(std::vector<unsigned char>* bytes, std::size_t multiple, unsigned char fill) {
    while (bytes->size() % multiple != 0) bytes->push_back(fill);
}

}  // namespace

std::int32_t TestPatternLevel(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height) {
    if (x == 0 || y == 0 || x == width - 1 || y == height - 1) return 255;
    if (x < width / 8 && y < height / 8) return 255;
    if ((x / 16 + y / 16) % 2 == 0) return static_cast<std::int32_t>(std::int64_t{x} * 255 / (width - 1));
    return 255 - static_cast<std::int32_t>(std::int64_t{y} * 255 / (height - 1));
}

const std::vector<PdsSampleLayout>& PdsSampleLayouts() {
    static const std::vector<PdsSampleLayout> layouts = {
        {"UNSIGNED_INTEGER", 8, SampleByteOrder::BigEndian, SampleKind::Integer, false},
        {"MSB_UNSIGNED_INTEGER", 16, SampleByteOrder::BigEndian, SampleKind::Integer, false},
        {"LSB_UNSIGNED_INTEGER", 16, SampleByteOrder::LittleEndian, SampleKind::Integer, false},
        {"MSB_INTEGER", 16, SampleByteOrder::BigEndian, SampleKind::Integer, true},
        {"LSB_INTEGER", 16, SampleByteOrder::LittleEndian, SampleKind::Integer, true},
        {"MSB_INTEGER", 32, SampleByteOrder::BigEndian, SampleKind::Integer, true},
        {"LSB_INTEGER", 32, SampleByteOrder::LittleEndian, SampleKind::Integer, true},
        {"IEEE_REAL", 32, SampleByteOrder::BigEndian, SampleKind::Real, true},
        {"PC_REAL", 32, SampleByteOrder::LittleEndian, SampleKind::Real, true},
    };
    return layouts;
}

const std::vector<std::int32_t>& FitsBitpixValues() {
    static const std::vector<std::int32_t> values = {8, 16, 32, -32, -64};
    return values;
}

std::string PdsPictureName(const PdsSampleLayout& layout) {
    std::string name = "pattern_";
    for (const char* c = layout.sampleType; *c != '\0'; ++c) {
        name += *c >= 'A' && *c <= 'Z' ? static_cast<char>(*c - 'A' + 'a') : *c;
    }
    return name + "_" + std::to_string(layout.bits) + ".img";
}

std::string FitsPictureName(std::int32_t bitpix) {
    const std::string bits = bitpix < 0 ? "minus_" + std::to_string(-bitpix) : std::to_string(bitpix);
    return "pattern_bitpix_" + bits + ".fits";
}

std::vector<unsigned char> MakePdsPicture(const PdsSampleLayout& layout, std::int32_t width,
                                          std::int32_t height) {
    const std::int64_t recordBytes = std::int64_t{width} * (layout.bits / 8);
    // The label's length depends on the record counts it states: grow the count until it fits.
    std::int64_t labelRecords = 1;
    std::string label = PdsLabel(layout, width, height, recordBytes, labelRecords);
    while (static_cast<std::int64_t>(label.size()) > labelRecords * recordBytes) {
        labelRecords = (static_cast<std::int64_t>(label.size()) + recordBytes - 1) / recordBytes;
        label = PdsLabel(layout, width, height, recordBytes, labelRecords);
    }
    std::vector<unsigned char> bytes(label.begin(), label.end());
    bytes.resize(static_cast<std::size_t>(labelRecords * recordBytes), ' ');
    AppendPattern(&bytes, width, height, layout.bits, layout.kind, layout.isSigned, layout.order);
    return bytes;
}

std::vector<unsigned char> MakeFitsPicture(std::int32_t bitpix, std::int32_t width, std::int32_t height) {
    std::vector<unsigned char> bytes;
    AppendText(&bytes, "SIMPLE  =                    T");
    AppendCard(&bytes, "BITPIX", bitpix);
    AppendCard(&bytes, "NAXIS", 2);
    AppendCard(&bytes, "NAXIS1", width);
    AppendCard(&bytes, "NAXIS2", height);
    AppendText(&bytes, "COMMENT   Test pattern: a white frame and corner block, squares of two ramps.");
    AppendText(&bytes, "END");
    PadTo(&bytes, kFitsBlockBytes, ' ');
    const bool real = bitpix < 0;
    AppendPattern(&bytes, width, height, real ? -bitpix : bitpix, real ? SampleKind::Real : SampleKind::Integer,
                  true, SampleByteOrder::BigEndian);
    PadTo(&bytes, kFitsBlockBytes, 0);
    return bytes;
}
