#pragma once

#include <cstdint>

// Reduces a red-green-blue working image of `width` pixels a row into a blue-green-red display
// image of displayWidth × displayHeight pixels, rows back to back: every display pixel is the
// truncated mean of the scale × scale block of working pixels it covers. Scale is 1 to 9.
void ReduceToDisplay(const std::uint8_t* pixels, std::int32_t width, std::int32_t scale,
                     std::int32_t displayWidth, std::int32_t displayHeight, std::uint8_t* display);
