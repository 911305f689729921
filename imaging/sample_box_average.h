#pragma once

#include <cmath>
#include <cstdint>

#include "imaging/colour.h"
#include "loaders/source_image.h"

// The mean of a grid of pixels over the parallelogram spanned by u and v from the corner (x, y):
// nu × nv samples spaced u / nu and v / nv apart, where nu and nv are the lengths of u and v,
// truncated, and at least 1. The far sides are not sampled; samples outside the picture are
// skipped and not counted. u and v hold an x component, then a y component. False, with opaque
// black, when the corner lies outside the picture or no sample was counted.
bool SampleBoxAverage(const SourceImage& image, double x, double y, const double u[2], const double v[2],
                      Colour* colour);

// Samples along one side of the footprint: its length truncated, at least 1, at most 2^31 - 1.
inline std::int32_t FootprintSteps(double dx, double dy) {
    const double length = std::sqrt(dx * dx + dy * dy);
    if (!(length >= 1.0)) return 1;
    if (length >= 2147483647.0) return 2147483647;
    return static_cast<std::int32_t>(length);
}

// Sums of the channels of the samples counted so far.
struct ChannelSums {
    std::int64_t red = 0;
    std::int64_t green = 0;
    std::int64_t blue = 0;
    std::int64_t transparency = 0;
    std::int64_t count = 0;

    void Add(const Colour& colour) {
        red += colour.red;
        green += colour.green;
        blue += colour.blue;
        transparency += colour.transparency;
        ++count;
    }

    bool Mean(Colour* colour) const {
        if (count == 0) return false;
        // The sums of fewer than 2^24 samples fit 32 bits, whose division costs a fraction of the
        // 64-bit one, and the mean of every footprint drawn takes four.
        if (count < (std::int64_t{1} << 24)) {
            const auto n = static_cast<std::uint32_t>(count);
            colour->red = static_cast<std::uint8_t>(static_cast<std::uint32_t>(red) / n);
            colour->green = static_cast<std::uint8_t>(static_cast<std::uint32_t>(green) / n);
            colour->blue = static_cast<std::uint8_t>(static_cast<std::uint32_t>(blue) / n);
            colour->transparency = static_cast<std::uint8_t>(static_cast<std::uint32_t>(transparency) / n);
            return true;
        }
        colour->red = static_cast<std::uint8_t>(red / count);
        colour->green = static_cast<std::uint8_t>(green / count);
        colour->blue = static_cast<std::uint8_t>(blue / count);
        colour->transparency = static_cast<std::uint8_t>(transparency / count);
        return true;
    }
};

// Whether a sample outside the picture at the truncated point (tx, ty) is beyond an edge that
// steps of (dx1, dy1) and of (dx2, dy2) only take it further from. Every step moves the point
// monotonically, so no later sample in those directions can come back into the picture.
inline bool StaysOutside(double tx, double ty, double dx1, double dy1, double dx2, double dy2, std::int32_t width,
                         std::int32_t height) {
    return (tx >= width && dx1 >= 0.0 && dx2 >= 0.0) || (tx < 0.0 && dx1 <= 0.0 && dx2 <= 0.0) ||
           (ty >= height && dy1 >= 0.0 && dy2 >= 0.0) || (ty < 0.0 && dy1 <= 0.0 && dy2 <= 0.0);
}

// Adds the samples of row j of the footprint grid. False when neither this row nor any later one
// can hold another sample inside the picture.
template <typename Reader>
bool AddFootprintRow(const Reader& reader, const SourceImage& image, double x, double y, const double u[2],
                     const double v[2], std::int32_t nu, std::int32_t nv, std::int32_t j, ChannelSums* sums) {
    for (std::int32_t i = 0; i < nu; ++i) {
        const double tx = std::trunc(x + u[0] * i / nu + v[0] * j / nv);
        const double ty = std::trunc(y + u[1] * i / nu + v[1] * j / nv);
        if (tx >= 0.0 && tx < image.width && ty >= 0.0 && ty < image.height) {
            Colour sample;
            if (reader.Read(static_cast<std::int32_t>(tx), static_cast<std::int32_t>(ty), &sample)) sums->Add(sample);
            continue;
        }
        // Skipping what cannot come back keeps a footprint far larger than the picture cheap.
        if (!StaysOutside(tx, ty, u[0], u[1], u[0], u[1], image.width, image.height)) continue;
        return i > 0 || !StaysOutside(tx, ty, u[0], u[1], v[0], v[1], image.width, image.height);
    }
    return true;
}

// SampleBoxAverage through a reader of whole pixels (see pixel_readers.h).
template <typename Reader>
bool SampleBoxAverageWith(const Reader& reader, const SourceImage& image, double x, double y, const double u[2],
                          const double v[2], Colour* colour) {
    *colour = Colour();
    if (image.loaded == 0 || !(x >= 0.0 && x < image.width && y >= 0.0 && y < image.height)) return false;
    const std::int32_t nu = FootprintSteps(u[0], u[1]);
    const std::int32_t nv = FootprintSteps(v[0], v[1]);
    ChannelSums sums;
    std::int32_t j = 0;
    while (j < nv && AddFootprintRow(reader, image, x, y, u, v, nu, nv, j, &sums)) ++j;
    return sums.Mean(colour);
}
