#pragma once

#include <cstddef>
#include <cstdint>

// A piece mask is g_maskSize × g_maskSize bytes, row 0 first. Its size and row addresses are
// taken in size_t, so no reader needs 32-bit arithmetic that a large mask could overflow.
std::size_t MaskBytes();
unsigned char* MaskRow(unsigned char* mask, std::int32_t row);
