// PDS IMG reader. A planetary .img file starts with a label of KEYWORD = value lines ended by line
// feeds; the samples follow in the same file and are read in place from the mapping.
//
// Reads, at the start of a line after any spaces, by case-sensitive prefix, the first that
// matches (so a longer keyword that begins with one of these counts as it): SAMPLE_BITS,
// SAMPLE_TYPE, LINE_SAMPLES, LINES, RECORD_BYTES, ^IMAGE (^IMAGE_HEADER too), END_ (skipped), END
// and PDS_VERSION. A keyword that comes again overrides the earlier value. A number is the
// "%ld" reading of the text after the line's first "="; no number leaves the value as it was.
// ^IMAGE counts records of RECORD_BYTES from 1, or bytes from 1 when <BYTES> follows it.
// SAMPLE_TYPE only tells the byte order and kind of the samples; nothing else is read, and
// nothing after END.
//
// Refuses, showing the path with one of these captions:
// - "Not a valid IMG file": neither of the first two lines begins with PDS_VERSION; the file ends
//   before an END line; or the picture does not lie inside the file: no width or height, an
//   ^IMAGE that names another file (detached labels are not read) or points before the start,
//   or samples that run past the end.
// - "Unsupported Data Type": SAMPLE_BITS missing or other than 8, 16 or 32.
// A file that cannot be mapped is refused silently.
#include "loaders/pds_label.h"

#include <cstddef>
#include <cstring>

#include "loaders/label_number.h"
#include "loaders/raster_bounds.h"
#include "loaders/reader_refusal.h"

namespace {

const wchar_t* const kNotValid = L"Not a valid IMG file";
const wchar_t* const kUnsupported = L"Unsupported Data Type";

// Some bytes of the mapping, never read beyond `length`.
struct Text {
    const unsigned char* bytes;
    std::size_t length;
};

struct LabelState {
    bool valid = false;
    bool end = false;
    std::int32_t recordBytes = 0;
    std::int32_t imagePointer = 0;
    bool pointerInBytes = false;
};

// The line that starts at `start` without its leading spaces, up to its line feed or the end of
// the file; `next` receives where the following line starts.
Text LineAt(const MappedFile& file, std::uint64_t start, std::uint64_t* next) {
    const unsigned char* begin = file.view + start;
    const auto rest = static_cast<std::size_t>(file.size - start);
    const void* feed = std::memchr(begin, '\n', rest);
    const std::size_t length =
        feed == nullptr ? rest : static_cast<std::size_t>(static_cast<const unsigned char*>(feed) - begin);
    *next = start + length + 1;
    std::size_t spaces = 0;
    while (spaces < length && begin[spaces] == ' ') ++spaces;
    return {begin + spaces, length - spaces};
}

bool StartsWith(const Text& text, const char* prefix) {
    const std::size_t length = std::strlen(prefix);
    return text.length >= length && std::memcmp(text.bytes, prefix, length) == 0;
}

// The text after the line's first "=", empty when there is none.
Text ValueOf(const Text& line) {
    const void* equals = std::memchr(line.bytes, '=', line.length);
    if (equals == nullptr) return {line.bytes + line.length, 0};
    const auto* value = static_cast<const unsigned char*>(equals) + 1;
    return {value, line.length - static_cast<std::size_t>(value - line.bytes)};
}

void ReadNumber(const Text& line, std::int32_t* field) {
    const Text value = ValueOf(line);
    ParseLabelNumber(value.bytes, value.length, field, nullptr);
}

bool IsBlank(unsigned char c) { return c == ' ' || c == '\t'; }

Text WithoutLeadingBlanks(Text text) {
    while (text.length > 0 && IsBlank(text.bytes[0])) {
        ++text.bytes;
        --text.length;
    }
    return text;
}

unsigned char UpperCase(unsigned char c) {
    return c >= 'a' && c <= 'z' ? static_cast<unsigned char>(c - 'a' + 'A') : c;
}

// True when the unit <BYTES>, in any case, follows blanks at the start of `text`.
bool StartsWithBytesUnit(Text text) {
    text = WithoutLeadingBlanks(text);
    const char unit[] = "<BYTES>";
    const std::size_t length = sizeof unit - 1;
    if (text.length < length) return false;
    for (std::size_t i = 0; i < length; ++i) {
        if (UpperCase(text.bytes[i]) != static_cast<unsigned char>(unit[i])) return false;
    }
    return true;
}

void ReadImagePointer(const Text& line, LabelState* state) {
    const Text value = ValueOf(line);
    std::size_t used = 0;
    if (!ParseLabelNumber(value.bytes, value.length, &state->imagePointer, &used)) return;
    state->pointerInBytes = StartsWithBytesUnit({value.bytes + used, value.length - used});
}

// The byte order and kind that a SAMPLE_TYPE name states, by its prefix and the rest of the name.
struct SampleTypePrefix {
    const char* prefix;
    SampleByteOrder order;
};
const SampleTypePrefix kSampleTypePrefixes[] = {
    {"MSB_", SampleByteOrder::BigEndian},    {"SUN_", SampleByteOrder::BigEndian},
    {"MAC_", SampleByteOrder::BigEndian},    {"IEEE_", SampleByteOrder::BigEndian},
    {"LSB_", SampleByteOrder::LittleEndian}, {"PC_", SampleByteOrder::LittleEndian},
    {"VAX_", SampleByteOrder::LittleEndian}, {"", SampleByteOrder::BigEndian},
};

SampleKind KindOfTypeName(const char* name) {
    if (std::strcmp(name, "INTEGER") == 0 || std::strcmp(name, "UNSIGNED_INTEGER") == 0) {
        return SampleKind::Integer;
    }
    return std::strcmp(name, "REAL") == 0 ? SampleKind::Real : SampleKind::Unstated;
}

void ReadSampleType(const Text& line, RasterFile* raster) {
    const Text value = WithoutLeadingBlanks(ValueOf(line));
    std::size_t at = value.length > 0 && value.bytes[0] == '"' ? 1 : 0;
    // The name, upper-cased into a bounded copy; a name too long for it is no type we know.
    char name[32] = {};
    std::size_t length = 0;
    for (; at < value.length && length < sizeof name - 1; ++at, ++length) {
        const unsigned char c = UpperCase(value.bytes[at]);
        if (!((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_')) break;
        name[length] = static_cast<char>(c);
    }
    raster->byteOrder = SampleByteOrder::Unstated;
    raster->sampleKind = SampleKind::Unstated;
    raster->signedIntegers = false;
    for (const SampleTypePrefix& type : kSampleTypePrefixes) {
        const std::size_t prefixLength = std::strlen(type.prefix);
        if (std::strncmp(name, type.prefix, prefixLength) != 0) continue;
        const SampleKind kind = KindOfTypeName(name + prefixLength);
        if (kind == SampleKind::Unstated) return;
        raster->byteOrder = type.order;
        raster->sampleKind = kind;
        raster->signedIntegers = kind == SampleKind::Integer && std::strstr(name, "UNSIGNED") == nullptr;
        return;
    }
}

void ApplyKeyword(const Text& line, RasterFile* raster, LabelState* state) {
    if (StartsWith(line, "SAMPLE_BITS")) {
        ReadNumber(line, &raster->sampleFormat);
    } else if (StartsWith(line, "SAMPLE_TYPE")) {
        ReadSampleType(line, raster);
    } else if (StartsWith(line, "LINE_SAMPLES")) {
        ReadNumber(line, &raster->width);
    } else if (StartsWith(line, "LINES")) {
        ReadNumber(line, &raster->height);
    } else if (StartsWith(line, "RECORD_BYTES")) {
        ReadNumber(line, &state->recordBytes);
    } else if (StartsWith(line, "^IMAGE")) {
        ReadImagePointer(line, state);
    } else if (StartsWith(line, "END_")) {
        // END_OBJECT and END_GROUP close a block; the label goes on.
    } else if (StartsWith(line, "END")) {
        state->end = true;
    } else if (StartsWith(line, "PDS_VERSION")) {
        state->valid = true;
    }
}

// Both pointer forms count from 1. Computed in 64 bits: a label's two 32-bit numbers cannot
// overflow their product there.
std::int64_t ImageOffset(const LabelState& state) {
    if (state.pointerInBytes) return std::int64_t{state.imagePointer} - 1;
    return (std::int64_t{state.imagePointer} - 1) * state.recordBytes;
}

}  // namespace

bool ParsePdsLabel(RasterFile* raster, const wchar_t* path) {
    if (!MapFile(path, &raster->file)) return false;
    return ReadPdsLabel(raster, path);
}

bool ReadPdsLabel(RasterFile* raster, const wchar_t* path) {
    const MappedFile& file = raster->file;
    raster->width = 0;
    raster->height = 0;
    raster->channels = 1;
    LabelState state;
    std::int64_t lineCount = 0;
    std::uint64_t position = 0;
    while (!state.end && position < file.size) {
        ApplyKeyword(LineAt(file, position, &position), raster, &state);
        ++lineCount;
        if (!state.valid && lineCount > 1) return RefuseFile(path, kNotValid);
    }
    if (!state.end) return RefuseFile(path, kNotValid);
    raster->dataOffset = RasterDataOffset(ImageOffset(state));
    const std::int32_t bits = raster->sampleFormat;
    if (bits != 8 && bits != 16 && bits != 32) return RefuseFile(path, kUnsupported);
    if (!RasterLiesInsideFile(*raster, bits / 8)) return RefuseFile(path, kNotValid);
    return state.valid;
}
