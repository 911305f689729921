#pragma once

#include <cstdint>

#include "tools/shown_picture.h"

// Whether a picture can be solved by looking, at a given cell size: every cell is one piece's
// square of the grid the game cuts (pitch × pitch picture pixels from the piece's home), and
//
// - a cell's spread is the root mean square, over its pixels and channels, of each level's
//   distance from the cell's mean level in that channel (the standard deviation of a grey cell);
//   a cell whose spread is below kLeastSpread is flat: a piece of plain colour fits anywhere;
// - a cell's thumbnail is the cell shrunk to 4 × 4 blocks of mean levels; the distance between
//   two cells is the root mean square difference of their thumbnails' levels; two cells closer
//   than kLeastDistance are alike: a player cannot tell which of the two places a piece takes.
//
// Levels are 0 … 255. Both thresholds are 10 levels, a step of grey anyone sees between two
// pieces lying side by side.
constexpr double kLeastSpread = 10.0;
constexpr double kLeastDistance = 10.0;

struct CellFigures {
    std::int32_t cells = 0;
    double flattestSpread = 0;   // the least spread of any cell
    double closestDistance = 0;  // the least distance between any two cells
};

// Measures the grid the game cuts `picture` into at `cellSize`. A picture of fewer than two
// cells reports a closest distance of 0.
CellFigures MeasureCells(const ShownPicture& picture, std::int32_t cellSize);

// At least two cells, none flat and no two alike.
bool SolvableByLooking(const CellFigures& figures);
