#pragma once

#include <cstdint>

// One colour sample. Transparency 0 is opaque, 255 fully transparent.
struct Colour {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    std::uint8_t transparency = 0;
};
