#pragma once

// One reader of whole pixels for every way the picture can be stored. Drawing chooses the reader
// once per piece (WithPixelReader) and then reads pixel after pixel without asking again how the
// picture is held; SamplePixel chooses once per pixel. Every reader's Read() gives exactly what
// SamplePixel gives: false with opaque black outside the picture, true otherwise, and black for a
// pixel whose bytes do not lie wholly inside the buffer or the file mapping.

#include <cstdint>
#include <cstring>

#include "imaging/colour.h"
#include "imaging/raster_samples.h"
#include "loaders/mapped_file.h"
#include "loaders/raster_file.h"
#include "loaders/source_image.h"

struct PictureExtent {
    std::int32_t width;
    std::int32_t height;

    bool Contains(std::int32_t x, std::int32_t y) const { return x >= 0 && y >= 0 && x < width && y < height; }
};

inline void SetGrey(Colour* colour, std::uint8_t level) {
    colour->red = level;
    colour->green = level;
    colour->blue = level;
}

inline std::uint32_t BigEndian16(const unsigned char* bytes) {
    return static_cast<std::uint32_t>(bytes[0]) << 8 | bytes[1];
}

inline std::uint32_t BigEndian32(const unsigned char* bytes) {
    return static_cast<std::uint32_t>(bytes[0]) << 24 | static_cast<std::uint32_t>(bytes[1]) << 16 |
           static_cast<std::uint32_t>(bytes[2]) << 8 | bytes[3];
}

inline std::uint32_t LittleEndian32(const unsigned char* bytes) {
    return static_cast<std::uint32_t>(bytes[3]) << 24 | static_cast<std::uint32_t>(bytes[2]) << 16 |
           static_cast<std::uint32_t>(bytes[1]) << 8 | bytes[0];
}

inline float FloatOfBits(std::uint32_t bits) {
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

// Where the bytes of sample (x, y) of a raster start, counted from the start of the file, or -1
// when they do not lie wholly inside the mapping. The index is formed in 64 bits, so no picture
// size can wrap it back into the file.
inline std::int64_t RasterSampleOffset(const RasterFile& raster, std::int32_t x, std::int32_t y, std::int64_t bytes) {
    const std::int64_t index = static_cast<std::int64_t>(y) * raster.width + x;
    if (index < 0 || static_cast<std::uint64_t>(index) > raster.file.size / static_cast<std::uint64_t>(bytes)) return -1;
    const std::int64_t at = raster.dataOffset + index * bytes;
    if (at < 0 || !IsInsideMapping(raster.file, static_cast<std::uint64_t>(at), static_cast<std::uint64_t>(bytes)))
        return -1;
    return at;
}

// FITS stores every sample big-endian; integer types are scaled so that their positive full
// scale is 1.0, floating samples are taken to lie in 0.0 … 1.0 already.
template <std::int32_t BitPix>
double FitsSampleAt(RasterFile* raster, std::int32_t x, std::int32_t y) {
    constexpr std::int64_t bytes = (BitPix < 0 ? -BitPix : BitPix) / 8;
    if (x < 0 || y < 0 || x >= raster->width || y >= raster->height) return 0.0;
    const std::int64_t at = RasterSampleOffset(*raster, x, y, bytes);
    if (at < 0) return 0.0;
    const unsigned char* sample = raster->file.view + at;
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
        raster->file.position = static_cast<std::uint64_t>(at);
        return ReadDouble(&raster->file, true);
    }
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

template <PdsShown Shown>
std::uint8_t PdsGreyAt(const RasterFile& raster, const PdsSampleRule& rule, std::int32_t x, std::int32_t y) {
    const std::int64_t at = RasterSampleOffset(raster, x, y, rule.bytes);
    if (at < 0) return 0;
    const unsigned char* sample = raster.file.view + at;
    if constexpr (Shown == PdsShown::Byte) {
        return sample[rule.byteIndex];
    } else if constexpr (Shown == PdsShown::RealBigEndian) {
        return FullScaleGrey(FloatOfBits(BigEndian32(sample)));
    } else {
        static_assert(Shown == PdsShown::RealLittleEndian, "a PDS sample that shows");
        return FullScaleGrey(FloatOfBits(LittleEndian32(sample)));
    }
}

// While no picture is loaded every read fails.
struct NoPictureReader {
    bool Read(std::int32_t, std::int32_t, Colour* colour) const {
        *colour = Colour();
        return false;
    }
};

// A picture whose samples cannot be read (an unknown sample type, no data) is black throughout.
struct BlackReader {
    PictureExtent extent;

    bool Read(std::int32_t x, std::int32_t y, Colour* colour) const {
        *colour = Colour();
        return extent.Contains(x, y);
    }
};

// Decoded buffers hold their rows top first while picture rows count from the bottom. Bytes is 1
// for grey, 3 for blue, green, red and 4 when straight alpha follows.
template <int Bytes>
struct DecodedReader {
    PictureExtent extent;
    const unsigned char* data;
    std::int64_t size;  // rowStride × height
    std::int64_t rowStride;
    std::int64_t channels;

    bool Read(std::int32_t x, std::int32_t y, Colour* colour) const {
        *colour = Colour();
        if (!extent.Contains(x, y)) return false;
        const std::int64_t at = (extent.height - 1 - static_cast<std::int64_t>(y)) * rowStride + x * channels;
        if (at < 0 || at > size - Bytes) return true;
        const unsigned char* pixel = data + at;
        if constexpr (Bytes == 1) {
            SetGrey(colour, pixel[0]);
        } else {
            colour->red = pixel[2];
            colour->green = pixel[1];
            colour->blue = pixel[0];
            if constexpr (Bytes == 4) colour->transparency = static_cast<std::uint8_t>(255 - pixel[3]);
        }
        return true;
    }
};

template <std::int32_t BitPix>
struct FitsReader {
    PictureExtent extent;
    RasterFile* raster;

    bool Read(std::int32_t x, std::int32_t y, Colour* colour) const {
        *colour = Colour();
        if (!extent.Contains(x, y)) return false;
        SetGrey(colour, FullScaleGrey(FitsSampleAt<BitPix>(raster, x, y)));
        return true;
    }
};

template <PdsShown Shown>
struct PdsReader {
    PictureExtent extent;
    const RasterFile* raster;
    PdsSampleRule rule;

    bool Read(std::int32_t x, std::int32_t y, Colour* colour) const {
        *colour = Colour();
        if (!extent.Contains(x, y)) return false;
        SetGrey(colour, PdsGreyAt<Shown>(*raster, rule, x, y));
        return true;
    }
};

template <typename Action>
decltype(auto) WithFitsReader(const PictureExtent& extent, RasterFile* raster, Action&& action) {
    switch (raster->sampleFormat) {
    case 8:
        return action(FitsReader<8>{extent, raster});
    case 16:
        return action(FitsReader<16>{extent, raster});
    case 32:
        return action(FitsReader<32>{extent, raster});
    case -32:
        return action(FitsReader<-32>{extent, raster});
    case -64:
        return action(FitsReader<-64>{extent, raster});
    default:
        return action(BlackReader{extent});
    }
}

template <typename Action>
decltype(auto) WithPdsReader(const PictureExtent& extent, const RasterFile* raster, Action&& action) {
    const PdsSampleRule rule = PdsRuleOf(*raster);
    switch (rule.shown) {
    case PdsShown::Byte:
        return action(PdsReader<PdsShown::Byte>{extent, raster, rule});
    case PdsShown::RealBigEndian:
        return action(PdsReader<PdsShown::RealBigEndian>{extent, raster, rule});
    case PdsShown::RealLittleEndian:
        return action(PdsReader<PdsShown::RealLittleEndian>{extent, raster, rule});
    default:
        return action(BlackReader{extent});
    }
}

// Calls action(reader) with the reader for the picture's storage.
template <typename Action>
decltype(auto) WithPixelReader(const SourceImage& image, Action&& action) {
    const PictureExtent extent{image.width, image.height};
    if (image.loaded == 0) return action(NoPictureReader{});
    if (image.data == nullptr) return action(BlackReader{extent});
    switch (image.storage) {
    case ImageStorage::Decoded: {
        const auto* data = static_cast<const unsigned char*>(image.data);
        const std::int64_t size = static_cast<std::int64_t>(image.rowStride) * image.height;
        if (image.channels <= 1) return action(DecodedReader<1>{extent, data, size, image.rowStride, image.channels});
        if (image.channels < 4) return action(DecodedReader<3>{extent, data, size, image.rowStride, image.channels});
        return action(DecodedReader<4>{extent, data, size, image.rowStride, image.channels});
    }
    case ImageStorage::FitsFile:
        return WithFitsReader(extent, static_cast<RasterFile*>(image.data), action);
    case ImageStorage::PdsFile:
        return WithPdsReader(extent, static_cast<const RasterFile*>(image.data), action);
    }
    return action(BlackReader{extent});
}
