#include "model/geometry.h"

#include <algorithm>

std::int32_t g_cellSize = 64;
std::int32_t g_margin = 0;
std::int32_t g_pitch = 0;
std::int32_t g_maskSize = 0;

GridGeometry GeometryForCellSize(std::int32_t cellSize) {
    GridGeometry geometry;
    geometry.cellSize = std::clamp(cellSize, kSmallestCellSize, kLargestCellSize);
    // Half the cell rounded down to an even number, so that the seam strip m / 2 is whole; a cell
    // of at least 8 makes it at least 4.
    geometry.margin = (geometry.cellSize / 2) & ~1;
    geometry.pitch = geometry.cellSize + geometry.margin - 1;
    geometry.maskSize = geometry.cellSize + 2 * geometry.margin;
    return geometry;
}

GridPlacement PlaceGrid(std::int32_t width, std::int32_t height, std::int32_t pitch) {
    GridPlacement grid;
    grid.columns = width > 0 ? width / pitch : 0;
    grid.rows = height > 0 ? height / pitch : 0;
    grid.originX = (width - grid.columns * pitch) / 2;
    grid.originY = (height - grid.rows * pitch) / 2;
    return grid;
}

void FixGridGeometry() {
    const GridGeometry geometry = GeometryForCellSize(g_cellSize);
    g_cellSize = geometry.cellSize;
    g_margin = geometry.margin;
    g_pitch = geometry.pitch;
    g_maskSize = geometry.maskSize;
}
