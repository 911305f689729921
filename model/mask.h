#pragma once

#include <cstdint>

#include "model/piece.h"

// A piece mask is g_maskSize × g_maskSize, row 0 first: the square, less the strip of m / 2 lines
// along every side that has a seam, given back over the seam's knob on the piece that carries it
// and cut m / 2 − 1 lines deeper over its socket on the other. Every mask is so made of
// rectangles, and each of its rows is at most two runs of set pixels; masks are kept as their
// seams' knobs alone, a few bytes a piece, and worked out row by row where they are drawn.

// The knob of one seam: it runs along the seam over lines start … start + length − 1 and is
// carried by the right or lower piece when `onSecond`, else by the left or upper one.
struct SeamKnob {
    std::uint16_t start;
    std::uint16_t length : 15;
    std::uint16_t onSecond : 1;
};

// Every seam of the puzzle, two a grid cell (the seam to its right, then the one below it), row
// by row; a piece finds its cell from its id. Empty without a puzzle.
struct SeamTable {
    SeamKnob* knobs = nullptr;  // owned
    std::int32_t rows = 0;
    std::int32_t columns = 0;
    std::int64_t idStride = 0;
};

extern SeamTable g_seams;

// Makes the table of a rows × columns grid, every seam without a knob; false when memory is short.
bool MakeSeamTable(std::int32_t rows, std::int32_t columns, std::int64_t idStride);
void FreeSeamTable();
// The seam right of, or below, the cell of grid row `row` and column `column` (both from 1).
SeamKnob* RightSeam(std::int32_t row, std::int32_t column);
SeamKnob* SeamBelow(std::int32_t row, std::int32_t column);

// How a seam left one side of a mask.
enum class SideCut : std::uint8_t { Edge, Knob, Socket };

struct MaskSide {
    SideCut cut;
    std::int32_t start;  // of the knob or socket, along the side
    std::int32_t length;
};

// A mask worked out from its seams: sides in the order first columns, last columns, first rows,
// last rows. A piece of no grid cell (none in the table) has the whole square.
struct MaskShape {
    std::int32_t size;
    std::int32_t strip;  // m / 2
    MaskSide sides[4];
};

MaskShape ShapeOf(const Piece& piece);

// Set columns first … end − 1 of one mask row.
struct MaskRun {
    std::int32_t first;
    std::int32_t end;
};

// The runs of mask row `row` (0 … size − 1), left to right, none of them empty; returns their count.
std::int32_t MaskRowRuns(const MaskShape& shape, std::int32_t row, MaskRun runs[2]);

// The bytes every mask of the puzzle takes.
std::int64_t MaskMemory();
