#include "tools/test_pictures.h"

#include <cstring>

#include "tools/scientific_files.h"

namespace {

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

std::vector<unsigned char> PatternSamples(std::int32_t width, std::int32_t height, std::int32_t bits,
                                          SampleKind kind, bool isSigned, SampleByteOrder order) {
    std::vector<unsigned char> bytes;
    for (std::int32_t y = 0; y < height; ++y) {
        for (std::int32_t x = 0; x < width; ++x) {
            const std::int32_t level = TestPatternLevel(x, y, width, height);
            Append(&bytes, StoredSample(level, bits, kind, isSigned), bits / 8, order);
        }
    }
    return bytes;
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
    return PdsFile(layout.sampleType, layout.bits, width, height,
                   PatternSamples(width, height, layout.bits, layout.kind, layout.isSigned, layout.order));
}

std::vector<unsigned char> MakeFitsPicture(std::int32_t bitpix, std::int32_t width, std::int32_t height) {
    const bool real = bitpix < 0;
    return FitsFile(bitpix, width, height, "Test pattern: a white frame and corner block, squares of two ramps.",
                    PatternSamples(width, height, real ? -bitpix : bitpix, real ? SampleKind::Real : SampleKind::Integer,
                                   true, SampleByteOrder::BigEndian));
}
