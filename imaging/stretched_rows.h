#pragma once

// Rows of FITS and PDS samples shown through the contrast stretch: each sample is read as the
// number it is stored as and mapped by the picture's measured stretch, through its table for 8-
// and 16-bit samples. Bounded by the mapping as the full-scale rows are.

#include <cstdint>

#include "imaging/colour.h"
#include "imaging/contrast_stretch.h"
#include "imaging/raster_rows.h"
#include "imaging/sample_coding.h"

template <SampleCoding Coding>
struct StretchedRow {
    static constexpr std::int64_t kBytes = SampleBytesOf(Coding);
    static constexpr bool kGrey = true;

    const RasterFile* raster;
    const WholeSamples* whole;
    const SampleStretch* stretch;
    std::int64_t firstIndex;

    // Whether columns 0 … width − 1 all lie wholly in the mapping.
    bool Whole(std::int32_t width) const { return firstIndex >= whole->first && firstIndex + width <= whole->end; }

    template <bool Checked = true>
    std::uint8_t Grey(std::int32_t x) const {
        const unsigned char* sample = RasterSample<Checked>(*raster, *whole, kBytes, firstIndex + x);
        if (Checked && sample == nullptr) return 0;
        if constexpr (IsTableCoding(Coding)) {
            return stretch->greys[SampleBits<Coding>(sample)];
        } else {
            return stretch->Grey(SampleValue<Coding>(sample));
        }
    }

    template <bool Checked = true>
    void Get(std::int32_t x, Colour* colour) const { SetGrey(colour, Grey<Checked>(x)); }
};
