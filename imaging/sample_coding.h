#pragma once

// How the samples of a FITS or PDS picture are stored, read as the numbers they are rather than
// by the full-scale rule: what the contrast stretch measures and maps. An offset the header
// states (FITS BZERO, PDS OFFSET) and a positive scale change no sample's order, and a stretch
// between percentiles does not depend on them, so the stored value serves. FITS 8-bit samples
// are unsigned bytes, as the format defines them; the wider FITS integers are signed (an
// unsigned 16-bit picture is stored signed with BZERO 32768, which keeps its order); a PDS
// integer is signed only when its SAMPLE_TYPE says so.

#include <cstdint>
#include <type_traits>

#include "loaders/byte_order.h"
#include "loaders/raster_file.h"
#include "loaders/source_image.h"

enum class SampleCoding : std::int32_t {
    Unreadable,
    Unsigned8,
    Signed8,
    Unsigned16Big,
    Signed16Big,
    Unsigned16Little,
    Signed16Little,
    Unsigned32Big,
    Signed32Big,
    Unsigned32Little,
    Signed32Little,
    Real32Big,
    Real32Little,
    Real64Big,
};

template <SampleCoding Coding>
using CodingTag = std::integral_constant<SampleCoding, Coding>;

constexpr std::int64_t SampleBytesOf(SampleCoding coding) {
    switch (coding) {
    case SampleCoding::Unreadable:
        return 0;
    case SampleCoding::Unsigned8:
    case SampleCoding::Signed8:
        return 1;
    case SampleCoding::Unsigned16Big:
    case SampleCoding::Signed16Big:
    case SampleCoding::Unsigned16Little:
    case SampleCoding::Signed16Little:
        return 2;
    case SampleCoding::Real64Big:
        return 8;
    default:
        return 4;
    }
}

// Few enough values to map each through a table indexed by the sample's bits.
constexpr bool IsTableCoding(SampleCoding coding) { return coding != SampleCoding::Unreadable && SampleBytesOf(coding) <= 2; }

constexpr bool IsBigEndian(SampleCoding coding) {
    return coding == SampleCoding::Unsigned16Big || coding == SampleCoding::Signed16Big ||
           coding == SampleCoding::Unsigned32Big || coding == SampleCoding::Signed32Big ||
           coding == SampleCoding::Real32Big || coding == SampleCoding::Real64Big;
}

// The sample's bits, in the byte order of its coding.
template <SampleCoding Coding>
std::uint64_t SampleBits(const unsigned char* sample) {
    constexpr std::int64_t bytes = SampleBytesOf(Coding);
    if constexpr (bytes == 1) {
        return sample[0];
    } else if constexpr (bytes == 2) {
        return IsBigEndian(Coding) ? BigEndian16(sample) : LittleEndian16(sample);
    } else if constexpr (bytes == 4) {
        return IsBigEndian(Coding) ? BigEndian32(sample) : LittleEndian32(sample);
    } else {
        return BigEndian64(sample);
    }
}

template <SampleCoding Coding>
double ValueOfBits(std::uint64_t bits) {
    using C = SampleCoding;
    if constexpr (Coding == C::Signed8) {
        return static_cast<std::int8_t>(bits);
    } else if constexpr (Coding == C::Signed16Big || Coding == C::Signed16Little) {
        return static_cast<std::int16_t>(bits);
    } else if constexpr (Coding == C::Signed32Big || Coding == C::Signed32Little) {
        return static_cast<std::int32_t>(bits);
    } else if constexpr (Coding == C::Real32Big || Coding == C::Real32Little) {
        return FloatOfBits(static_cast<std::uint32_t>(bits));
    } else if constexpr (Coding == C::Real64Big) {
        return DoubleOfBits(bits);
    } else {
        return static_cast<double>(bits);
    }
}

template <SampleCoding Coding>
double SampleValue(const unsigned char* sample) {
    return ValueOfBits<Coding>(SampleBits<Coding>(sample));
}

inline SampleCoding FitsCodingOf(std::int32_t bitpix) {
    switch (bitpix) {
    case 8:
        return SampleCoding::Unsigned8;
    case 16:
        return SampleCoding::Signed16Big;
    case 32:
        return SampleCoding::Signed32Big;
    case -32:
        return SampleCoding::Real32Big;
    case -64:
        return SampleCoding::Real64Big;
    default:
        return SampleCoding::Unreadable;
    }
}

// A label without a byte order is taken as little-endian, as the full-scale rule takes it.
inline SampleCoding PdsCodingOf(const RasterFile& raster) {
    const bool big = raster.byteOrder == SampleByteOrder::BigEndian;
    const bool sign = raster.signedIntegers;
    using C = SampleCoding;
    switch (raster.sampleFormat) {
    case 8:
        return sign ? C::Signed8 : C::Unsigned8;
    case 16:
        return big ? (sign ? C::Signed16Big : C::Unsigned16Big) : (sign ? C::Signed16Little : C::Unsigned16Little);
    case 32:
        if (raster.sampleKind == SampleKind::Real) return big ? C::Real32Big : C::Real32Little;
        return big ? (sign ? C::Signed32Big : C::Unsigned32Big) : (sign ? C::Signed32Little : C::Unsigned32Little);
    default:
        return C::Unreadable;
    }
}

// Unreadable for a picture that is not a loaded FITS or PDS file.
inline SampleCoding SampleCodingOf(const SourceImage& image) {
    if (image.loaded == 0 || image.data == nullptr) return SampleCoding::Unreadable;
    const auto& raster = *static_cast<const RasterFile*>(image.data);
    if (image.storage == ImageStorage::FitsFile) return FitsCodingOf(raster.sampleFormat);
    if (image.storage == ImageStorage::PdsFile) return PdsCodingOf(raster);
    return SampleCoding::Unreadable;
}

// Calls action(CodingTag<coding>()), so that the action is compiled for each coding.
template <typename Action>
decltype(auto) WithSampleCoding(SampleCoding coding, Action&& action) {
    using C = SampleCoding;
    switch (coding) {
    case C::Unreadable:
        break;
    case C::Unsigned8:
        return action(CodingTag<C::Unsigned8>());
    case C::Signed8:
        return action(CodingTag<C::Signed8>());
    case C::Unsigned16Big:
        return action(CodingTag<C::Unsigned16Big>());
    case C::Signed16Big:
        return action(CodingTag<C::Signed16Big>());
    case C::Unsigned16Little:
        return action(CodingTag<C::Unsigned16Little>());
    case C::Signed16Little:
        return action(CodingTag<C::Signed16Little>());
    case C::Unsigned32Big:
        return action(CodingTag<C::Unsigned32Big>());
    case C::Signed32Big:
        return action(CodingTag<C::Signed32Big>());
    case C::Unsigned32Little:
        return action(CodingTag<C::Unsigned32Little>());
    case C::Signed32Little:
        return action(CodingTag<C::Signed32Little>());
    case C::Real32Big:
        return action(CodingTag<C::Real32Big>());
    case C::Real32Little:
        return action(CodingTag<C::Real32Little>());
    case C::Real64Big:
        return action(CodingTag<C::Real64Big>());
    }
    return action(CodingTag<C::Unreadable>());
}
