#pragma once

// Rows of FITS and PDS samples read in place from the file mapping, each sample brought to an
// 8-bit grey by the fixed rule of its type. A row works out where it starts once, for all the
// samples read from it; no sample is read whose bytes do not lie wholly inside the mapping.

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>

#include "imaging/colour.h"
#include "imaging/raster_samples.h"
#include "loaders/byte_order.h"
#include "loaders/mapped_file.h"
#include "loaders/raster_file.h"

inline void SetGrey(Colour* colour, std::uint8_t level) {
    colour->red = level;
    colour->green = level;
    colour->blue = level;
}

// The samples of a raster whose bytes lie wholly inside the file mapping: indices first … end − 1,
// counted from the data offset. Worked out once per reader so that each sample costs one
// comparison; a truncated file or a data offset outside the file leaves fewer, or none.
struct WholeSamples {
    std::int64_t first = 0;
    std::int64_t end = 0;
};

inline WholeSamples WholeSamplesOf(const RasterFile& raster, std::int64_t bytes) {
    WholeSamples whole;
    if (raster.file.view == nullptr || bytes <= 0) return whole;
    // No mapping comes near 2^62 bytes; the bound keeps the arithmetic below in range.
    const std::int64_t size = static_cast<std::int64_t>(std::min<std::uint64_t>(raster.file.size, INT64_C(1) << 62));
    const std::int64_t offset = raster.dataOffset;
    if (offset >= size) return whole;
    whole.first = offset >= 0 ? 0 : (bytes - 1 - offset) / bytes;
    whole.end = (size - offset) / bytes;
    return whole;
}

// Where the bytes of sample `index` start in the mapping, or null when they do not lie wholly
// inside it; unchecked, the caller knows they do. The index is formed in 64 bits by the caller, so no picture size can wrap it back
// into the file.
template <bool Checked = true>
const unsigned char* RasterSample(const RasterFile& raster, const WholeSamples& whole, std::int64_t bytes,
                                  std::int64_t index) {
    if constexpr (Checked) {
        if (index < whole.first || index >= whole.end) return nullptr;
    }
    return raster.file.view + raster.dataOffset + index * bytes;
}

// FITS stores every sample big-endian; integer types are scaled so that their positive full
// scale is 1.0, floating samples are taken to lie in 0.0 … 1.0 already.
template <std::int32_t BitPix>
double FitsValue(const unsigned char* sample) {
    if constexpr (BitPix == 8) {
        return static_cast<std::int8_t>(sample[0]) * 0.007874015748031496;
    } else if constexpr (BitPix == 16) {
        return static_cast<std::int16_t>(BigEndian16(sample)) * 0.00003051850947599719;
    } else if constexpr (BitPix == 32) {
        return static_cast<std::int32_t>(BigEndian32(sample)) * 4.656612875245797e-10;
    } else if constexpr (BitPix == -32) {
        return FloatOfBits(BigEndian32(sample));
    } else {
        static_assert(BitPix == -64, "BITPIX 8, 16, 32, -32 or -64");
        return DoubleOfBits(BigEndian64(sample));
    }
}

// The grey of every 8- or 16-bit sample, indexed by its bits read big-endian: few enough values
// to work each out once, by the rule itself, instead of for every sample drawn. Null for the
// other types.
template <std::int32_t BitPix>
const std::uint8_t* FitsGreys() {
    if constexpr (BitPix == 8 || BitPix == 16) {
        static const auto greys = [] {
            std::array<std::uint8_t, std::size_t{1} << BitPix> table{};
            for (std::uint32_t bits = 0; bits < table.size(); ++bits) {
                const unsigned char sample[2] = {static_cast<unsigned char>(bits >> (BitPix - 8)),
                                                 static_cast<unsigned char>(bits)};
                table[bits] = FullScaleGrey(FitsValue<BitPix>(sample));
            }
            return table;
        }();
        return greys.data();
    } else {
        return nullptr;
    }
}

// A row of FITS samples; 0.0 outside the raster and outside the mapping.
template <std::int32_t BitPix>
struct FitsRow {
    static constexpr std::int64_t kBytes = (BitPix < 0 ? -BitPix : BitPix) / 8;

    const RasterFile* raster;
    const WholeSamples* whole;
    std::int64_t firstIndex;  // of the row's first sample; -1 for a row outside the raster
    const std::uint8_t* greys;  // FitsGreys

    // Null outside the raster and the mapping; unchecked, the caller knows the sample lies inside.
    template <bool Checked = true>
    const unsigned char* SampleAt(std::int32_t x) const {
        if (Checked && (firstIndex < 0 || x < 0 || x >= raster->width)) return nullptr;
        return RasterSample<Checked>(*raster, *whole, kBytes, firstIndex + x);
    }

    // Whether columns 0 … width − 1 all lie in the raster and wholly in the mapping.
    bool Whole(std::int32_t width) const {
        return firstIndex >= 0 && width <= raster->width && firstIndex >= whole->first &&
               firstIndex + width <= whole->end;
    }

    double Value(std::int32_t x) const {
        const unsigned char* sample = SampleAt(x);
        return sample == nullptr ? 0.0 : FitsValue<BitPix>(sample);
    }

    static constexpr bool kGrey = true;
    template <bool Checked = true>
    std::uint8_t Grey(std::int32_t x) const {
        const unsigned char* sample = SampleAt<Checked>(x);
        if (Checked && sample == nullptr) return 0;
        if constexpr (BitPix == 8) {
            return greys[sample[0]];
        } else if constexpr (BitPix == 16) {
            return greys[BigEndian16(sample)];
        } else {
            return FullScaleGrey(FitsValue<BitPix>(sample));
        }
    }
    template <bool Checked = true>
    void Get(std::int32_t x, Colour* colour) const { SetGrey(colour, Grey<Checked>(x)); }
};

template <std::int32_t BitPix>
FitsRow<BitPix> FitsRowAt(const RasterFile* raster, const WholeSamples& whole, std::int32_t y) {
    const bool inside = y >= 0 && y < raster->height;
    return FitsRow<BitPix>{raster, &whole, inside ? static_cast<std::int64_t>(y) * raster->width : -1,
                           FitsGreys<BitPix>()};
}

// A PDS sample shows as one of its bytes, the most significant one, or, for 32-bit real
// samples, by the FITS grey rule. A label without a byte order is taken as little-endian.
enum class PdsShown { Nothing, Byte, RealBigEndian, RealLittleEndian };

struct PdsSampleRule {
    PdsShown shown;
    std::int64_t bytes;      // size of one sample
    std::int64_t byteIndex;  // the byte shown, for PdsShown::Byte
};

inline PdsSampleRule PdsRuleOf(const RasterFile& raster) {
    const bool bigEndian = raster.byteOrder == SampleByteOrder::BigEndian;
    switch (raster.sampleFormat) {
    case 8:
        return {PdsShown::Byte, 1, 0};
    case 16:
        return {PdsShown::Byte, 2, bigEndian ? 0 : 1};
    case 32:
        if (raster.sampleKind == SampleKind::Real)
            return {bigEndian ? PdsShown::RealBigEndian : PdsShown::RealLittleEndian, 4, 0};
        return {PdsShown::Byte, 4, bigEndian ? 0 : 3};
    default:
        return {PdsShown::Nothing, 0, 0};
    }
}

// Samples are counted from the data offset, row after row of the raster's width.
template <PdsShown Shown>
struct PdsRow {
    const RasterFile* raster;
    const WholeSamples* whole;
    const PdsSampleRule* rule;
    std::int64_t firstIndex;

    // Whether columns 0 … width − 1 all lie wholly in the mapping.
    bool Whole(std::int32_t width) const { return firstIndex >= whole->first && firstIndex + width <= whole->end; }

    template <bool Checked = true>
    std::uint8_t Grey(std::int32_t x) const {
        const unsigned char* sample = RasterSample<Checked>(*raster, *whole, rule->bytes, firstIndex + x);
        if (Checked && sample == nullptr) return 0;
        if constexpr (Shown == PdsShown::Byte) {
            return sample[rule->byteIndex];
        } else if constexpr (Shown == PdsShown::RealBigEndian) {
            return FullScaleGrey(FloatOfBits(BigEndian32(sample)));
        } else {
            static_assert(Shown == PdsShown::RealLittleEndian, "a PDS sample that shows");
            return FullScaleGrey(FloatOfBits(LittleEndian32(sample)));
        }
    }

    static constexpr bool kGrey = true;
    template <bool Checked = true>
    void Get(std::int32_t x, Colour* colour) const { SetGrey(colour, Grey<Checked>(x)); }
};

template <PdsShown Shown>
PdsRow<Shown> PdsRowAt(const RasterFile& raster, const WholeSamples& whole, const PdsSampleRule& rule, std::int32_t y) {
    return PdsRow<Shown>{&raster, &whole, &rule, static_cast<std::int64_t>(y) * raster.width};
}
