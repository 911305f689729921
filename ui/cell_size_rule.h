#pragma once

#include <cstdint>

// What the cell-size scroll bar offers for a picture, and what the pieces label counts. Both
// dialogs show them; the count is made with the geometry generation cuts with, so the label
// always names the number of pieces OK then makes.

struct CellSizeRange {
    std::int32_t minimum = 0;
    std::int32_t maximum = 0;
    std::int32_t page = 0;
};

// From 8 to a third of the picture's shorter side (at least 8, at most the largest cell size
// generation takes), paged in sixteenths of the range.
CellSizeRange CellSizeRangeFor(std::int32_t width, std::int32_t height);

// Lowered to the range's maximum, then raised to its minimum.
std::int32_t ClampCellSize(std::int32_t cellSize, const CellSizeRange& range);

// The pieces of a width × height picture at this cell size, in 64 bits: a large picture at the
// smallest cell size has more pieces than 32 bits count.
std::int64_t PieceCount(std::int32_t width, std::int32_t height, std::int32_t cellSize);
