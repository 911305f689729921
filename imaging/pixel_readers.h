#pragma once

// One reader of whole pixels for every way the picture can be stored. Drawing chooses the reader
// once per piece (WithPixelReader) and then reads pixel after pixel without asking again how the
// picture is held; SamplePixel chooses once per pixel. A reader's Read() gives exactly what
// SamplePixel gives: false with opaque black outside the picture, true otherwise, and black for
// a pixel whose bytes do not lie wholly inside the buffer or the file mapping. Read() goes
// through the reader's rows (RowAt(y).Get(x)), which loops that stay inside the picture use
// directly, so that a row's position is worked out once for all the pixels read from it.

#include <cstdint>
#include <cstring>

#include "imaging/colour.h"
#include "imaging/contrast_stretch.h"
#include "imaging/raster_rows.h"
#include "imaging/stretched_rows.h"
#include "loaders/raster_file.h"
#include "loaders/source_image.h"

struct PictureExtent {
    std::int32_t width;
    std::int32_t height;

    bool Contains(std::int32_t x, std::int32_t y) const { return x >= 0 && y >= 0 && x < width && y < height; }
};

// The pixel at (x, y) through the reader's rows; every reader reads this way.
template <typename Reader>
bool ReadPixel(const Reader& reader, std::int32_t x, std::int32_t y, Colour* colour) {
    *colour = Colour();
    if (!reader.extent.Contains(x, y)) return false;
    reader.RowAt(y).Get(x, colour);
    return true;
}

// Without a picture every read fails (an empty extent); a picture whose samples cannot be read
// (an unknown sample type, no data) is black throughout.
struct BlackReader {
    struct Row {
        static constexpr bool kGrey = true;
        bool Whole(std::int32_t) const { return true; }
        template <bool Checked = true>
        std::uint8_t Grey(std::int32_t) const { return 0; }
        template <bool Checked = true>
        void Get(std::int32_t, Colour*) const {}
    };

    PictureExtent extent;

    Row RowAt(std::int32_t) const { return Row(); }
    bool Read(std::int32_t x, std::int32_t y, Colour* colour) const { return ReadPixel(*this, x, y, colour); }
};

// Decoded buffers hold their rows top first while picture rows count from the bottom. Bytes is 1
// for grey, 3 for blue, green, red and 4 when straight alpha follows. Packed readers serve the
// usual buffers, whose pixels are Bytes apart: a stride known to the compiler saves a
// multiplication for every pixel read.
template <int Bytes, bool Packed = false>
struct DecodedReader {
    struct Row {
        static constexpr bool kGrey = Bytes == 1;

        const unsigned char* data;
        std::int64_t start;  // of the row in the buffer
        std::int64_t last;   // the last offset at which a whole pixel fits in the buffer
        std::int64_t channels;

        // Null when the pixel does not lie wholly in the buffer; unchecked, the caller knows it does.
        template <bool Checked>
        const unsigned char* PixelAt(std::int32_t x) const {
            const std::int64_t at = start + x * (Packed ? Bytes : channels);
            if constexpr (Checked) {
                if (at < 0 || at > last) return nullptr;
            }
            return data + at;
        }

        // Whether the pixels of columns 0 … width − 1 all lie wholly in the buffer, so that reads
        // from them need no check: the offsets are linear in the column, so both ends suffice.
        // Pixels of three bytes ask for the byte after the last one too, so that each of them may
        // be read as a word (see Word).
        bool Whole(std::int32_t width) const {
            const std::int64_t end = start + (width - 1) * channels + (kWords ? 1 : 0);
            return start >= 0 && start <= last && end >= 0 && end <= last;
        }

        static constexpr bool kWords = Packed && Bytes == 3;

        // The pixel's three bytes, blue first, and the byte after them, as a word in memory's
        // order; only from a row that is Whole.
        std::uint32_t Word(std::int32_t x) const {
            static_assert(kWords, "only pixels of three bytes are read as words");
            std::uint32_t word;
            std::memcpy(&word, data + start + static_cast<std::int64_t>(x) * 3, sizeof word);
            return word;
        }

        template <bool Checked = true>
        std::uint8_t Grey(std::int32_t x) const {
            static_assert(Bytes == 1, "only a grey buffer reads as grey");
            const unsigned char* pixel = PixelAt<Checked>(x);
            return Checked && pixel == nullptr ? 0 : pixel[0];
        }

        template <bool Checked = true>
        void Get(std::int32_t x, Colour* colour) const {
            const unsigned char* pixel = PixelAt<Checked>(x);
            if constexpr (Checked) {
                if (pixel == nullptr) return;
            }
            if constexpr (Bytes == 1) {
                SetGrey(colour, pixel[0]);
            } else {
                colour->red = pixel[2];
                colour->green = pixel[1];
                colour->blue = pixel[0];
                if constexpr (Bytes == 4) colour->transparency = static_cast<std::uint8_t>(255 - pixel[3]);
            }
        }
    };

    PictureExtent extent;
    const unsigned char* data;
    std::int64_t size;  // rowStride × height
    std::int64_t rowStride;
    std::int64_t channels;

    Row RowAt(std::int32_t y) const {
        return Row{data, (extent.height - 1 - static_cast<std::int64_t>(y)) * rowStride, size - Bytes, channels};
    }
    bool Read(std::int32_t x, std::int32_t y, Colour* colour) const { return ReadPixel(*this, x, y, colour); }
};

template <std::int32_t BitPix>
struct FitsReader {
    PictureExtent extent;
    const RasterFile* raster;
    WholeSamples whole;

    FitsRow<BitPix> RowAt(std::int32_t y) const { return FitsRowAt<BitPix>(raster, whole, y); }
    bool Read(std::int32_t x, std::int32_t y, Colour* colour) const { return ReadPixel(*this, x, y, colour); }
};

template <PdsShown Shown>
struct PdsReader {
    PictureExtent extent;
    const RasterFile* raster;
    PdsSampleRule rule;
    WholeSamples whole;

    PdsRow<Shown> RowAt(std::int32_t y) const { return PdsRowAt<Shown>(*raster, whole, rule, y); }
    bool Read(std::int32_t x, std::int32_t y, Colour* colour) const { return ReadPixel(*this, x, y, colour); }
};

// A FITS or PDS picture while the contrast stretch is on.
template <SampleCoding Coding>
struct StretchedReader {
    PictureExtent extent;
    const RasterFile* raster;
    const SampleStretch* stretch;
    WholeSamples whole;

    StretchedRow<Coding> RowAt(std::int32_t y) const {
        return StretchedRow<Coding>{raster, &whole, stretch, static_cast<std::int64_t>(y) * raster->width};
    }
    bool Read(std::int32_t x, std::int32_t y, Colour* colour) const { return ReadPixel(*this, x, y, colour); }
};

template <typename Action>
decltype(auto) WithStretchedReader(const PictureExtent& extent, const RasterFile* raster, const SampleStretch* stretch,
                                   Action&& action) {
    return WithSampleCoding(stretch->coding, [&](auto tag) -> decltype(auto) {
        constexpr SampleCoding coding = decltype(tag)::value;
        if constexpr (coding == SampleCoding::Unreadable) {
            return action(BlackReader{extent});
        } else {
            return action(StretchedReader<coding>{extent, raster, stretch, WholeSamplesOf(*raster, SampleBytesOf(coding))});
        }
    });
}

template <std::int32_t BitPix>
FitsReader<BitPix> MakeFitsReader(const PictureExtent& extent, const RasterFile* raster) {
    return FitsReader<BitPix>{extent, raster, WholeSamplesOf(*raster, FitsRow<BitPix>::kBytes)};
}

template <typename Action>
decltype(auto) WithFitsReader(const PictureExtent& extent, const RasterFile* raster, Action&& action) {
    switch (raster->sampleFormat) {
    case 8:
        return action(MakeFitsReader<8>(extent, raster));
    case 16:
        return action(MakeFitsReader<16>(extent, raster));
    case 32:
        return action(MakeFitsReader<32>(extent, raster));
    case -32:
        return action(MakeFitsReader<-32>(extent, raster));
    case -64:
        return action(MakeFitsReader<-64>(extent, raster));
    default:
        return action(BlackReader{extent});
    }
}

template <typename Action>
decltype(auto) WithPdsReader(const PictureExtent& extent, const RasterFile* raster, Action&& action) {
    const PdsSampleRule rule = PdsRuleOf(*raster);
    const WholeSamples whole = WholeSamplesOf(*raster, rule.bytes);
    switch (rule.shown) {
    case PdsShown::Byte:
        return action(PdsReader<PdsShown::Byte>{extent, raster, rule, whole});
    case PdsShown::RealBigEndian:
        return action(PdsReader<PdsShown::RealBigEndian>{extent, raster, rule, whole});
    case PdsShown::RealLittleEndian:
        return action(PdsReader<PdsShown::RealLittleEndian>{extent, raster, rule, whole});
    default:
        return action(BlackReader{extent});
    }
}

// Calls action(reader) with the reader for the picture's storage.
template <typename Action>
decltype(auto) WithPixelReader(const SourceImage& image, Action&& action) {
    const PictureExtent extent{image.width, image.height};
    if (image.loaded == 0) return action(BlackReader{PictureExtent{0, 0}});
    if (image.data == nullptr) return action(BlackReader{extent});
    if (const SampleStretch* stretch = StretchInForce(image))
        return WithStretchedReader(extent, static_cast<const RasterFile*>(image.data), stretch, action);
    switch (image.storage) {
    case ImageStorage::Decoded: {
        const auto* data = static_cast<const unsigned char*>(image.data);
        const std::int64_t size = static_cast<std::int64_t>(image.rowStride) * image.height;
        if (image.channels == 1) return action(DecodedReader<1, true>{extent, data, size, image.rowStride, 1});
        if (image.channels == 3) return action(DecodedReader<3, true>{extent, data, size, image.rowStride, 3});
        if (image.channels == 4) return action(DecodedReader<4, true>{extent, data, size, image.rowStride, 4});
        if (image.channels <= 1) return action(DecodedReader<1>{extent, data, size, image.rowStride, image.channels});
        if (image.channels < 4) return action(DecodedReader<3>{extent, data, size, image.rowStride, image.channels});
        return action(DecodedReader<4>{extent, data, size, image.rowStride, image.channels});
    }
    case ImageStorage::FitsFile:
        return WithFitsReader(extent, static_cast<const RasterFile*>(image.data), action);
    case ImageStorage::PdsFile:
        return WithPdsReader(extent, static_cast<const RasterFile*>(image.data), action);
    }
    return action(BlackReader{extent});
}
