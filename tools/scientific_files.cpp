#include "tools/scientific_files.h"

#include <cstdio>
#include <string>

namespace {

constexpr std::size_t kFitsCardBytes = 80;
constexpr std::size_t kFitsBlockBytes = 2880;

std::string PdsLabel(const char* sampleType, std::int32_t bits, std::int32_t width, std::int32_t height,
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
                  static_cast<long>(height), static_cast<long>(width), sampleType, static_cast<long>(bits));
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

std::vector<unsigned char> PdsFile(const char* sampleType, std::int32_t bits, std::int32_t width, std::int32_t height,
                                   const std::vector<unsigned char>& samples) {
    const std::int64_t recordBytes = std::int64_t{width} * (bits / 8);
    // The label's length depends on the record counts it states: grow the count until it fits.
    std::int64_t labelRecords = 1;
    std::string label = PdsLabel(sampleType, bits, width, height, recordBytes, labelRecords);
    while (static_cast<std::int64_t>(label.size()) > labelRecords * recordBytes) {
        labelRecords = (static_cast<std::int64_t>(label.size()) + recordBytes - 1) / recordBytes;
        label = PdsLabel(sampleType, bits, width, height, recordBytes, labelRecords);
    }
    std::vector<unsigned char> bytes(label.begin(), label.end());
    bytes.resize(static_cast<std::size_t>(labelRecords * recordBytes), ' ');
    bytes.insert(bytes.end(), samples.begin(), samples.end());
    return bytes;
}

std::vector<unsigned char> FitsFile(std::int32_t bitpix, std::int32_t width, std::int32_t height, const char* comment,
                                    const std::vector<unsigned char>& samples) {
    std::vector<unsigned char> bytes;
    AppendText(&bytes, "SIMPLE  =                    T");
    AppendCard(&bytes, "BITPIX", bitpix);
    AppendCard(&bytes, "NAXIS", 2);
    AppendCard(&bytes, "NAXIS1", width);
    AppendCard(&bytes, "NAXIS2", height);
    AppendText(&bytes, (std::string("COMMENT   ") + comment).c_str());
    AppendText(&bytes, "END");
    PadTo(&bytes, kFitsBlockBytes, ' ');
    bytes.insert(bytes.end(), samples.begin(), samples.end());
    PadTo(&bytes, kFitsBlockBytes, 0);
    return bytes;
}
