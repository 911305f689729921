#include "tools/cell_measure.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "model/geometry.h"

namespace {

constexpr std::int32_t kThumbnailSide = 4;

struct Cell {
    std::int32_t x;  // the home: the cell's lower left corner
    std::int32_t y;
    std::int32_t side;
};

// The cells the game cuts: the grid centred in the picture, one pitch apart.
std::vector<Cell> GridCells(const ShownPicture& picture, std::int32_t cellSize) {
    const std::int32_t pitch = GeometryForCellSize(cellSize).pitch;
    const GridPlacement grid = PlaceGrid(picture.width, picture.height, pitch);
    std::vector<Cell> cells;
    for (std::int32_t row = 0; row < grid.rows; ++row) {
        for (std::int32_t column = 0; column < grid.columns; ++column) {
            cells.push_back({grid.originX + column * pitch, grid.originY + row * pitch, pitch});
        }
    }
    return cells;
}

// The mean level of each channel over the square [x0, x1) × [y0, y1).
std::vector<double> MeanLevels(const ShownPicture& picture, std::int32_t x0, std::int32_t y0, std::int32_t x1,
                               std::int32_t y1) {
    std::vector<double> means(static_cast<std::size_t>(picture.channels), 0.0);
    for (std::int32_t y = y0; y < y1; ++y) {
        for (std::int32_t x = x0; x < x1; ++x) {
            for (std::int32_t c = 0; c < picture.channels; ++c) means[static_cast<std::size_t>(c)] += picture.Level(x, y, c);
        }
    }
    const double count = static_cast<double>(x1 - x0) * (y1 - y0);
    for (double& mean : means) mean /= count;
    return means;
}

double Spread(const ShownPicture& picture, const Cell& cell) {
    const std::vector<double> means = MeanLevels(picture, cell.x, cell.y, cell.x + cell.side, cell.y + cell.side);
    double sum = 0;
    for (std::int32_t y = cell.y; y < cell.y + cell.side; ++y) {
        for (std::int32_t x = cell.x; x < cell.x + cell.side; ++x) {
            for (std::int32_t c = 0; c < picture.channels; ++c) {
                const double d = picture.Level(x, y, c) - means[static_cast<std::size_t>(c)];
                sum += d * d;
            }
        }
    }
    return std::sqrt(sum / (static_cast<double>(cell.side) * cell.side * picture.channels));
}

std::vector<double> Thumbnail(const ShownPicture& picture, const Cell& cell) {
    std::vector<double> levels;
    for (std::int32_t by = 0; by < kThumbnailSide; ++by) {
        for (std::int32_t bx = 0; bx < kThumbnailSide; ++bx) {
            const std::vector<double> block =
                MeanLevels(picture, cell.x + bx * cell.side / kThumbnailSide, cell.y + by * cell.side / kThumbnailSide,
                           cell.x + (bx + 1) * cell.side / kThumbnailSide, cell.y + (by + 1) * cell.side / kThumbnailSide);
            levels.insert(levels.end(), block.begin(), block.end());
        }
    }
    return levels;
}

double Distance(const std::vector<double>& a, const std::vector<double>& b) {
    double sum = 0;
    for (std::size_t i = 0; i < a.size(); ++i) sum += (a[i] - b[i]) * (a[i] - b[i]);
    return std::sqrt(sum / static_cast<double>(a.size()));
}

}  // namespace

CellFigures MeasureCells(const ShownPicture& picture, std::int32_t cellSize) {
    const std::vector<Cell> cells = GridCells(picture, cellSize);
    CellFigures figures;
    figures.cells = static_cast<std::int32_t>(cells.size());
    figures.flattestSpread = cells.empty() ? 0 : std::numeric_limits<double>::max();
    figures.closestDistance = cells.size() < 2 ? 0 : std::numeric_limits<double>::max();
    std::vector<std::vector<double>> thumbnails;
    for (const Cell& cell : cells) {
        figures.flattestSpread = std::min(figures.flattestSpread, Spread(picture, cell));
        thumbnails.push_back(Thumbnail(picture, cell));
    }
    for (std::size_t i = 0; i < thumbnails.size(); ++i) {
        for (std::size_t j = i + 1; j < thumbnails.size(); ++j) {
            figures.closestDistance = std::min(figures.closestDistance, Distance(thumbnails[i], thumbnails[j]));
        }
    }
    return figures;
}

bool SolvableByLooking(const CellFigures& figures) {
    return figures.cells >= 2 && figures.flattestSpread >= kLeastSpread && figures.closestDistance >= kLeastDistance;
}
