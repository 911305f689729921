#include "model/mask.h"

#include "model/geometry.h"

std::size_t MaskBytes() { return static_cast<std::size_t>(g_maskSize) * static_cast<std::size_t>(g_maskSize); }

unsigned char* MaskRow(unsigned char* mask, std::int32_t row) {
    return mask + static_cast<std::size_t>(row) * static_cast<std::size_t>(g_maskSize);
}
