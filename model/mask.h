#pragma once

#include <cstddef>
#include <cstdint>

// A piece mask is g_maskSize × g_maskSize bytes, row 0 first. Its size and row addresses are
// taken in size_t, so no reader needs 32-bit arithmetic that a large mask could overflow.
std::size_t MaskBytes();
unsigned char* MaskRow(unsigned char* mask, std::int32_t row);

// Sets the rectangle of `rows` rows and `columns` columns whose first byte is at (`left`, `top`)
// to `value`: every seam strip, knob and socket is such a rectangle.
void FillMaskRect(unsigned char* mask, std::int32_t left, std::int32_t top, std::int32_t columns, std::int32_t rows,
                  unsigned char value);
