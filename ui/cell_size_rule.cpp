#include "ui/cell_size_rule.h"

#include <algorithm>

#include "model/geometry.h"

CellSizeRange CellSizeRangeFor(std::int32_t width, std::int32_t height) {
    CellSizeRange range;
    range.minimum = kSmallestCellSize;
    range.maximum = std::clamp(std::min(width, height) / 3, kSmallestCellSize, kLargestCellSize);
    range.page = std::max((range.maximum - kSmallestCellSize) / 16, 1);
    return range;
}

std::int32_t ClampCellSize(std::int32_t cellSize, const CellSizeRange& range) {
    return std::max(std::min(cellSize, range.maximum), range.minimum);
}

std::int64_t PieceCount(std::int32_t width, std::int32_t height, std::int32_t cellSize) {
    const GridPlacement grid = PlaceGrid(width, height, GeometryForCellSize(cellSize).pitch);
    return static_cast<std::int64_t>(grid.rows) * grid.columns;
}
