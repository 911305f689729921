#pragma once

#include <cstdint>

// The piece of grid row r and column k, both counted from 1, has the id idStride × r + k, so its
// neighbours are id ± 1 and id ± idStride. The stride is 1000 for rows of up to 999 pieces and the
// next power of ten above the column count for wider grids, so that no two ids ever collide.
std::int64_t IdStride(std::int32_t columns);

// True when every id of a rows × columns grid, and so its piece count, fits in 32 bits.
bool GridIdsFit(std::int32_t rows, std::int32_t columns);

// The id rule itself; only for grids that GridIdsFit accepts.
std::int32_t PieceId(std::int32_t row, std::int32_t column, std::int64_t idStride);
