#include "model/generation.h"

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

// Null when memory is short.
Piece* NewPiece(const GridPlacement& grid, std::int64_t idStride, std::int32_t row, std::int32_t column) {
    Piece* piece = new (std::nothrow) Piece;
    if (piece == nullptr) return nullptr;
    piece->id = PieceId(row, column, idStride);
    piece->rightId = column < grid.columns ? PieceId(row, column + 1, idStride) : 0;
    piece->downId = row < grid.rows ? PieceId(row + 1, column, idStride) : 0;
    piece->leftId = column > 1 ? PieceId(row, column - 1, idStride) : 0;
    piece->upId = row > 1 ? PieceId(row - 1, column, idStride) : 0;
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
bool MakePieces(const GridPlacement& grid, std::int64_t idStride) {
    for (std::int32_t row = 1; row <= grid.rows; ++row) {
        for (std::int32_t column = 1; column <= grid.columns; ++column) {
            Piece* piece = NewPiece(grid, idStride, row, column);
            if (piece != nullptr && !PlaceInOwnGroup(piece)) {
                delete piece;
                piece = nullptr;
            }
            if (piece == nullptr) {
                ClearPuzzle();
                return false;
            }
        }
    }
    return true;
}

// Both pieces of a seam lose the strip of m / 2 lines along it; one of them, by the draw (the
// left or upper one above 127), gets it back as a knob.
void CutSeam(SeamKnob* seam) { *seam = DrawKnob(RandomInRange(0, 256) <= 127); }

}  // namespace

bool GeneratePuzzle() {
    const SourceImage* image = g_sourceImage;
    if (image == nullptr || image->loaded == 0) return false;
    const GridGeometry geometry = GeometryForCellSize(g_cellSize);
    const GridPlacement grid = PlaceGrid(image->width, image->height, geometry.pitch);
    if (!GridIdsFit(grid.rows, grid.columns)) return false;

    ClearPuzzle();
    FixGridGeometry();
    FitTable();
    if (g_view != nullptr) g_view->Home();
    const std::int64_t idStride = IdStride(grid.columns);

    if (!MakeSeamTable(grid.rows, grid.columns, idStride) || !MakePieces(grid, idStride)) {
        ClearPuzzle();
        return false;
    }
    // Every left-right seam is cut before any upper-lower one: the draws depend on that order.
    for (std::int32_t row = 1; row <= grid.rows; ++row) {
        for (std::int32_t column = 1; column < grid.columns; ++column) CutSeam(RightSeam(row, column));
    }
    for (std::int32_t row = 1; row < grid.rows; ++row) {
        for (std::int32_t column = 1; column <= grid.columns; ++column) CutSeam(SeamBelow(row, column));
    }
    return true;
}
