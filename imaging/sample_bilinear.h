#pragma once

#include <cstdint>
#include <utility>

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

// The interpolation between A, the pixel at (x0, y0), B to its right, C above A and D above B,
// at fractions fx to the right and fy up. A grey picture is interpolated once.
inline void InterpolateColours(const Colour& a, const Colour& b, const Colour& c, const Colour& d, double fx,
                               double fy, std::int32_t channels, Colour* colour) {
    colour->red = Interpolate(a.red, b.red, c.red, d.red, fx, fy);
    if (channels <= 1) {
        colour->green = colour->red;
        colour->blue = colour->red;
        return;
    }
    colour->green = Interpolate(a.green, b.green, c.green, d.green, fx, fy);
    colour->blue = Interpolate(a.blue, b.blue, c.blue, d.blue, fx, fy);
    if (channels >= 4)
        colour->transparency = Interpolate(a.transparency, b.transparency, c.transparency, d.transparency, fx, fy);
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
    InterpolateColours(a, b, c, d, fx, fy, image.channels, colour);
    return true;
}

// What the interpolation takes from a picture column x: worked out once for all the points of
// that column that drawing samples.
struct BilinearColumn {
    std::int32_t x0;
    bool right;  // a column of pixels lies right of x
    double fx;
};

// False when x lies outside the picture, where every sample fails.
inline bool BilinearColumnAt(const SourceImage& image, double x, BilinearColumn* column) {
    if (!(x >= 0.0 && x < image.width)) return false;
    column->x0 = static_cast<std::int32_t>(x);
    column->fx = x - column->x0;
    column->right = column->x0 < image.width - 1;
    return true;
}

// The pixels SampleBilinearWith interpolates, for points along one picture row y, whose two rows of
// pixels are found once for all of them, at columns inside the picture. Every pixel read lies
// inside the picture, where a read is a row's Get.
template <typename Reader>
struct BilinearRow {
    using Line = decltype(std::declval<Reader>().RowAt(0));

    bool inside;      // y lies within the picture and the picture is loaded
    std::int32_t y0;  // the row of pixels below y
    bool above;       // a row of pixels lies above y
    double fy;
    Line lower;
    Line upper;
    bool whole;  // both rows lie wholly in the picture's storage, so reads need no check

    // Each row is made once, where it is kept: a row made and then copied was read back before its
    // bytes had reached the cache, which cost more than the rest of the row's setting up.
    BilinearRow(const Reader& reader, const SourceImage& picture, double y)
        : inside(picture.loaded != 0 && y >= 0.0 && y < picture.height),
          y0(inside ? static_cast<std::int32_t>(y) : 0), above(inside && y0 < picture.height - 1),
          fy(inside ? y - y0 : 0.0), lower(reader.RowAt(y0)), upper(reader.RowAt(above ? y0 + 1 : y0)),
          whole(inside && lower.Whole(picture.width) && upper.Whole(picture.width)) {}

    // The pixels around the point of a column: A, B to its right, C above A and D above B.
    void Corners(const BilinearColumn& column, Colour* a, Colour* b, Colour* c, Colour* d) const {
        lower.Get(column.x0, a);
        if (column.right)
            lower.Get(column.x0 + 1, b);
        else
            *b = *a;
        if (above) {
            upper.Get(column.x0, c);
            if (column.right)
                upper.Get(column.x0 + 1, d);
            else
                *d = *c;
        } else {
            *c = *a;
            *d = *b;
        }
    }
};
