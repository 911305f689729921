#pragma once

#include <cstdint>

// The grid's sizes in picture pixels. A mask is S × S with the cell of c pixels in its middle and
// a margin m on every side; neighbouring homes lie one pitch apart, one pixel less than c + m, so
// that neighbouring bodies overlap by one picture row or column.
struct GridGeometry {
    std::int32_t cellSize = 0;  // c
    std::int32_t margin = 0;    // m, always even
    std::int32_t pitch = 0;     // c + m − 1
    std::int32_t maskSize = 0;  // S = c + 2m
};

// Cell sizes outside this range are brought into it. Below 8 a knob no longer fits beside its
// socket; above 16384 its length would not fit the 15 bits a seam keeps it in (see SeamKnob).
constexpr std::int32_t kSmallestCellSize = 8;
constexpr std::int32_t kLargestCellSize = 16384;

// The geometry a cell size gives, after bringing the cell size into range. The dialogs use it
// to count pieces exactly as generation will cut them.
GridGeometry GeometryForCellSize(std::int32_t cellSize);

// Where the cells of a picture of width × height lie, one pitch apart: as many whole pitches as fit
// each way (none without size), centred, the odd pixel of an odd remainder left over on the right
// or bottom.
struct GridPlacement {
    std::int32_t rows;
    std::int32_t columns;
    std::int32_t originX;  // the home of row 1, column 1
    std::int32_t originY;
};

GridPlacement PlaceGrid(std::int32_t width, std::int32_t height, std::int32_t pitch);

// Chosen with the cell-size scroll bar; read when a puzzle is generated.
extern std::int32_t g_cellSize;

// Fixed at each generation, read by picking, joining and drawing until the next one.
extern std::int32_t g_margin;
extern std::int32_t g_pitch;
extern std::int32_t g_maskSize;

// Brings g_cellSize into range and fixes g_margin, g_pitch and g_maskSize from it.
void FixGridGeometry();
