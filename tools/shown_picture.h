#pragma once

#include <cstdint>
#include <vector>

// A picture as the game shows it: 8-bit levels, one (grey) or three (red, green, blue) a pixel,
// rows counted from the bottom as the game's table counts them, with no padding between rows.
struct ShownPicture {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t channels = 0;
    std::vector<unsigned char> levels;

    unsigned char Level(std::int32_t x, std::int32_t y, std::int32_t channel) const {
        return levels[(static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)) *
                          static_cast<std::size_t>(channels) +
                      static_cast<std::size_t>(channel)];
    }
};
