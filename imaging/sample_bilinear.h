#pragma once

#include <cstdint>

#include "imaging/colour.h"
#include "loaders/source_image.h"

// The picture at a point between pixels, interpolated from the four pixels around it; at the
// right and top edges the missing neighbours repeat the edge pixels. A grey picture (one channel)
// is interpolated once and gives equal channels. False, with opaque black, outside the picture.
bool SampleBilinear(const SourceImage& image, double x, double y, Colour* colour);

// One channel of the interpolation, truncated.
inline std::uint8_t Interpolate(int a, int b, int c, int d, double fx, double fy) {
    const double value = ((a - b - c + d) * fx + (c - a)) * fy + ((b - a) * fx + a);
    return static_cast<std::uint8_t>(static_cast<std::int32_t>(value));
}

// SampleBilinear through a reader of whole pixels (see pixel_readers.h).
template <typename Reader>
bool SampleBilinearWith(const Reader& reader, const SourceImage& image, double x, double y, Colour* colour) {
    *colour = Colour();
    if (image.loaded == 0 || !(x >= 0.0 && x < image.width && y >= 0.0 && y < image.height)) return false;
    const auto x0 = static_cast<std::int32_t>(x);
    const auto y0 = static_cast<std::int32_t>(y);
    const double fx = x - x0;
    const double fy = y - y0;
    const bool right = x0 < image.width - 1;
    Colour a, b, c, d;
    reader.Read(x0, y0, &a);
    if (right)
        reader.Read(x0 + 1, y0, &b);
    else
        b = a;
    if (y0 < image.height - 1) {
        reader.Read(x0, y0 + 1, &c);
        if (right)
            reader.Read(x0 + 1, y0 + 1, &d);
        else
            d = c;
    } else {
        c = a;
        d = b;
    }
    colour->red = Interpolate(a.red, b.red, c.red, d.red, fx, fy);
    if (image.channels <= 1) {
        colour->green = colour->red;
        colour->blue = colour->red;
        return true;
    }
    colour->green = Interpolate(a.green, b.green, c.green, d.green, fx, fy);
    colour->blue = Interpolate(a.blue, b.blue, c.blue, d.blue, fx, fy);
    if (image.channels >= 4)
        colour->transparency = Interpolate(a.transparency, b.transparency, c.transparency, d.transparency, fx, fy);
    return true;
}
