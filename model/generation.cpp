#include "model/generation.h"

#include <cstddef>
#include <cstring>
#include <memory>
#include <new>

#include "loaders/source_image.h"
#include "model/geometry.h"
#include "model/group.h"
#include "model/knob.h"
#include "model/mask.h"
#include "model/piece_id.h"
#include "model/random.h"
#include "model/table.h"
#include "render/view.h"

namespace {

struct Grid {
    std::int32_t rows = 0;
    std::int32_t columns = 0;
    std::int64_t idStride = 0;
    std::int32_t originX = 0;  // the home of row 1, column 1
    std::int32_t originY = 0;
    std::unique_ptr<Piece*[]> pieces;  // row-major, so that seams find their pieces without a search
    std::size_t made = 0;

    Piece* At(std::int32_t row, std::int32_t column) const {
        return pieces[static_cast<std::size_t>(row - 1) * static_cast<std::size_t>(columns) + static_cast<std::size_t>(column - 1)];
    }
};

// Null when memory is short: a mask is (2 × cell size)² bytes, and a large picture at a large
// cell size asks for gigabytes of them.
Piece* NewPiece(const Grid& grid, std::int32_t row, std::int32_t column) {
    Piece* piece = new (std::nothrow) Piece;
    if (piece == nullptr) return nullptr;
    piece->mask = new (std::nothrow) unsigned char[MaskBytes()];
    if (piece->mask == nullptr) {
        delete piece;
        return nullptr;
    }
    std::memset(piece->mask, 255, MaskBytes());
    piece->id = PieceId(row, column, grid.idStride);
    piece->rightId = column < grid.columns ? PieceId(row, column + 1, grid.idStride) : 0;
    piece->downId = row < grid.rows ? PieceId(row + 1, column, grid.idStride) : 0;
    piece->leftId = column > 1 ? PieceId(row, column - 1, grid.idStride) : 0;
    piece->upId = row > 1 ? PieceId(row - 1, column, grid.idStride) : 0;
    piece->homeX = grid.originX + (column - 1) * g_pitch;
    piece->homeY = grid.originY + (row - 1) * g_pitch;
    return piece;
}

// False when memory is short; the piece is then the caller's to free.
bool PlaceInOwnGroup(Piece* piece) {
    Group* group = new (std::nothrow) Group;
    PieceLink* link = new (std::nothrow) PieceLink;
    if (group == nullptr || link == nullptr) {
        delete group;
        delete link;
        return false;
    }
    PlaceGroupAtRandom(group);
    link->piece = piece;
    PushBack(&group->members, &link->links);
    PushBack(&g_groups, &group->links);
    return true;
}

// Every piece made so far sits in a group of its own, so clearing the puzzle frees them all.
bool MakePieces(Grid& grid) {
    for (std::int32_t row = 1; row <= grid.rows; ++row) {
        for (std::int32_t column = 1; column <= grid.columns; ++column) {
            Piece* piece = NewPiece(grid, row, column);
            if (piece != nullptr && !PlaceInOwnGroup(piece)) {
                delete[] piece->mask;
                delete piece;
                piece = nullptr;
            }
            if (piece == nullptr) {
                ClearPuzzle();
                return false;
            }
            grid.pieces[grid.made++] = piece;
        }
    }
    return true;
}

// `a` is the left or upper piece, `b` the right or lower one. Both lose the strip of m / 2 lines
// along the seam; one of them, by the draw, gets it back as a knob.
void CutSeam(Seam seam, Piece* a, Piece* b) {
    const std::int32_t s = g_maskSize;
    const std::int32_t h = g_margin / 2;
    if (seam == Seam::LeftRight) {
        FillMaskRect(a->mask, s - h, 0, h, s, 0);
        FillMaskRect(b->mask, 0, 0, h, s, 0);
    } else {
        FillMaskRect(a->mask, 0, s - h, s, h, 0);
        FillMaskRect(b->mask, 0, 0, s, h, 0);
    }
    if (RandomInRange(0, 256) > 127) {
        AddKnob(seam, a->mask, s - h, b->mask, h);
    } else {
        AddKnob(seam, b->mask, 0, a->mask, s - g_margin + 1);
    }
}

}  // namespace

bool GeneratePuzzle() {
    const SourceImage* image = g_sourceImage;
    if (image == nullptr || image->loaded == 0) return false;
    const GridGeometry geometry = GeometryForCellSize(g_cellSize);
    Grid grid;
    grid.columns = image->width > 0 ? image->width / geometry.pitch : 0;
    grid.rows = image->height > 0 ? image->height / geometry.pitch : 0;
    if (!GridIdsFit(grid.rows, grid.columns)) return false;

    ClearPuzzle();
    FixGridGeometry();
    FitTable();
    if (g_view != nullptr) g_view->Home();
    grid.idStride = IdStride(grid.columns);
    // Centred: the odd pixel of an odd remainder is left over on the right or bottom.
    grid.originX = (image->width - grid.columns * g_pitch) / 2;
    grid.originY = (image->height - grid.rows * g_pitch) / 2;

    grid.pieces.reset(new (std::nothrow) Piece*[static_cast<std::size_t>(grid.rows) * static_cast<std::size_t>(grid.columns)]);
    if (grid.pieces == nullptr || !MakePieces(grid)) return false;
    // Every left-right seam is cut before any upper-lower one: the draws depend on that order.
    for (std::int32_t row = 1; row <= grid.rows; ++row) {
        for (std::int32_t column = 1; column < grid.columns; ++column) CutSeam(Seam::LeftRight, grid.At(row, column), grid.At(row, column + 1));
    }
    for (std::int32_t row = 1; row < grid.rows; ++row) {
        for (std::int32_t column = 1; column <= grid.columns; ++column) CutSeam(Seam::UpperLower, grid.At(row, column), grid.At(row + 1, column));
    }
    return true;
}
