#include "model/mask.h"

#include <cstring>

#include "model/geometry.h"

std::size_t MaskBytes() { return static_cast<std::size_t>(g_maskSize) * static_cast<std::size_t>(g_maskSize); }

unsigned char* MaskRow(unsigned char* mask, std::int32_t row) {
    return mask + static_cast<std::size_t>(row) * static_cast<std::size_t>(g_maskSize);
}

void FillMaskRect(unsigned char* mask, std::int32_t left, std::int32_t top, std::int32_t columns, std::int32_t rows,
                  unsigned char value) {
    for (std::int32_t row = top; row < top + rows; ++row) {
        std::memset(MaskRow(mask, row) + left, value, static_cast<std::size_t>(columns));
    }
}
