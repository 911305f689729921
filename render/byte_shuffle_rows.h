#pragma once

#include <cstddef>
#include <cstdint>

// Rows of the display reduction at scales 1 and 2 through the byte shuffles of SSSE3, which move
// the three bytes of a pixel as one and reduce four display pixels an instruction or two apiece.
// Each reduces a row's display pixels from the first on, as many as it can without reading or
// writing a byte outside the rows it was given, and returns how many; the plain loop does the
// rest. Without the instructions (another processor, or one too old) they reduce none.

// Whether this processor has the byte shuffles.
bool HasByteShuffles();

// Display pixels reversed from `count` working pixels at scale 1.
std::int32_t ReverseShuffled(const std::uint8_t* pixels, std::int32_t count, std::uint8_t* display);

// A display row from the two working rows at `pixels` and `pixels + rowBytes`, at scale 2.
std::int32_t ReducePairShuffled(const std::uint8_t* pixels, std::size_t rowBytes, std::int32_t displayWidth,
                                std::uint8_t* display);
