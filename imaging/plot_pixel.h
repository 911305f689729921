#pragma once

#include <cstddef>
#include <cstdint>

#include "imaging/colour.h"
#include "render/canvas.h"

// Blends a colour into the red, green and blue bytes of one canvas pixel. Opaque colours replace
// the bytes; otherwise each becomes (old × t + new × (255 − t)) / 255, truncated, where t is the
// colour's transparency, so a fully transparent colour leaves the pixel as it was.
inline void BlendColour(std::uint8_t* pixel, const Colour& colour) {
    const unsigned t = colour.transparency;
    if (t == 0) {
        pixel[0] = colour.red;
        pixel[1] = colour.green;
        pixel[2] = colour.blue;
        return;
    }
    pixel[0] = static_cast<std::uint8_t>((pixel[0] * t + colour.red * (255 - t)) / 255);
    pixel[1] = static_cast<std::uint8_t>((pixel[1] * t + colour.green * (255 - t)) / 255);
    pixel[2] = static_cast<std::uint8_t>((pixel[2] * t + colour.blue * (255 - t)) / 255);
}

// Blends a colour into the working pixel at column x, row y (from the bottom), which lies inside
// the working image. The caller holds the canvas's render lock: drawing enters it once per piece,
// not once per pixel.
inline void PlotPixel(Canvas* canvas, std::int32_t x, std::int32_t y, const Colour& colour) {
    const std::size_t pixel = static_cast<std::size_t>(y) * static_cast<std::size_t>(canvas->width) + static_cast<std::size_t>(x);
    BlendColour(canvas->pixels + pixel * static_cast<std::size_t>(canvas->bytesPerPixel), colour);
}
