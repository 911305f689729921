#include "model/piece_id.h"

#include <limits>

std::int64_t IdStride(std::int32_t columns) {
    std::int64_t stride = 1000;
    while (stride <= columns) stride *= 10;
    return stride;
}

bool GridIdsFit(std::int32_t rows, std::int32_t columns) {
    if (rows < 0 || columns < 0) return false;
    // The largest id is idStride × rows + columns; compared by division, since the product of a
    // 32-bit row count and a stride of up to 10^10 does not fit in 64 bits.
    const std::int64_t room = std::numeric_limits<std::int32_t>::max() - static_cast<std::int64_t>(columns);
    return rows <= room / IdStride(columns);
}

std::int32_t PieceId(std::int32_t row, std::int32_t column, std::int64_t idStride) {
    return static_cast<std::int32_t>(idStride * row + column);
}
