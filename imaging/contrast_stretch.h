#pragma once

// The contrast stretch of scientific pictures, which the player turns on and off. Off, FITS and
// PDS samples show by their fixed full-scale rule. On, the range the picture's samples were
// measured to span, from the 0.5th to the 99.5th percentile, is mapped onto the whole grey range,
// clamped at both ends: a higher sample is never darker. Where a faint background dominates (the
// median lies in the lowest quarter of the range) the mapping bends along an inverse hyperbolic
// sine, steep enough to lift the median to a quarter grey, so that faint structure shows without
// burning out the bright stars; otherwise it is a straight line. Not-a-number and infinite
// samples take no part in the measure and show black; a flat picture shows mid grey.

#include <cstdint>

#include "imaging/sample_coding.h"
#include "loaders/source_image.h"

// The player's choice: 0 the full-scale rule, 1 the stretch. Changed only between frames.
extern std::int16_t g_contrastStretch;

struct SampleStretch {
    static constexpr std::int32_t kCurveSteps = 65536;

    SampleCoding coding;
    double low;    // the sample at the bottom of the range, and black
    double scale;  // curve steps per unit of sample above `low`
    std::uint8_t curve[kCurveSteps];  // the grey of each step of the range, 0 … 255
    std::uint8_t greys[65536];            // of every 8- or 16-bit sample, indexed by its bits

    std::uint8_t Grey(double value) const {
        const double step = (value - low) * scale;
        if (step >= 0.0 && step < kCurveSteps) return curve[static_cast<std::int32_t>(step)];
        // Beyond the range clamps; not a number (which fails every comparison) and infinity are black.
        return step >= kCurveSteps && value - value == 0.0 ? 255 : 0;
    }
};

// The range of the picture's samples measured from at most about a million of them, spread over
// the whole picture and read only where they lie wholly inside the mapping. Null for a picture
// that is not a readable FITS or PDS file, or when the memory for the measure cannot be had.
SampleStretch* MeasureSampleStretch(const SourceImage& image);

void FreeSampleStretch(SampleStretch* stretch);

// The stretch the frames of `image` use: its measured one while the player has chosen the
// stretch, otherwise null (the full-scale rule).
const SampleStretch* StretchInForce(const SourceImage& image);
