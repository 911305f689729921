#pragma once

// The pieces a frame draws, in drawing order, each where it lies on the table and which canvas
// rows it reaches, and for each band of rows the pieces that reach it: a band then looks at its
// own pieces alone instead of at every piece on the table, which lets a frame be cut into many
// bands however many pieces there are.

#include <cstdint>

#include "model/group.h"
#include "render/canvas.h"

struct PlacedPiece {
    const Piece* piece;
    double x;  // the table point of its centre
    double y;
    CanvasArea area;  // the canvas pixels drawing it visits
};

// Kept from frame to frame, so that its arrays are allocated only as a puzzle grows.
struct BandPieces {
    PlacedPiece* pieces = nullptr;  // drawing order
    std::int64_t count = 0;
    std::int64_t capacity = 0;
    std::int32_t* byBand = nullptr;  // indices into `pieces`, band after band, each in drawing order
    std::int64_t byBandCapacity = 0;
    std::int64_t* bandStart = nullptr;  // bandCount + 1 positions in `byBand`
    std::int32_t bandCount = 0;
    std::int32_t bandCapacity = 0;

    BandPieces() = default;
    ~BandPieces();
    BandPieces(const BandPieces&) = delete;
    BandPieces& operator=(const BandPieces&) = delete;
};

// Lists the pieces of `group` (moved by its drag offset when `held`) after those listed so far;
// false when memory is short.
bool ListGroupPieces(BandPieces* list, const Group& group, bool held);

// Sorts the listed pieces into `bands` bands of `rowsPerBand` rows from row `firstRow` (a piece that
// reaches none of them into none); false when memory is short.
bool SortIntoBands(BandPieces* list, std::int32_t firstRow, std::int32_t rowsPerBand, std::int32_t bands);

// Draws the pieces that reach band `band`, clipped to `clip`; returns the rows they covered.
// Resting pieces may be averaged where the picture is shrunk; held ones always take the cheaper
// interpolation, being redrawn at every pointer move.
RowBand DrawBandPieces(const BandPieces& list, std::int32_t band, bool held, CanvasArea clip);
