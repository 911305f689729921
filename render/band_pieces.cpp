#include "render/band_pieces.h"

#include <algorithm>
#include <new>

#include "imaging/draw_piece.h"
#include "model/geometry.h"
#include "model/mask.h"

namespace {

// Grows `array` to hold `wanted` items, keeping the first `kept`; false when memory is short.
template <typename T, typename Count>
bool Reserve(T** array, Count* capacity, std::int64_t wanted, std::int64_t kept) {
    if (wanted <= *capacity) return true;
    const std::int64_t grown = std::max<std::int64_t>(wanted, *capacity * 2);
    T* larger = new (std::nothrow) T[static_cast<std::size_t>(grown)];
    if (larger == nullptr) return false;
    std::copy(*array, *array + kept, larger);
    delete[] *array;
    *array = larger;
    *capacity = static_cast<Count>(grown);
    return true;
}

}  // namespace

BandPieces::~BandPieces() {
    delete[] pieces;
    delete[] byBand;
    delete[] bandStart;
}

bool ListGroupPieces(BandPieces* list, const Group& group, bool held) {
    if (!Reserve(&list->pieces, &list->capacity, list->count + group.members.count, list->count)) return false;
    // Positions are summed as doubles, where no sum of 32-bit coordinates can overflow.
    const double x = static_cast<double>(group.x) + (held ? group.dragDX : 0);
    const double y = static_cast<double>(group.y) + (held ? group.dragDY : 0);
    for (ListItem* item = group.members.first; item != nullptr; item = item->next) {
        const Piece* piece = RecordOf<PieceLink>(item)->piece;
        const double px = x + piece->offsetX;
        const double py = y + piece->offsetY;
        list->pieces[list->count++] = PlacedPiece{piece, px, py, PieceArea(px, py, g_maskSize, g_maskSize)};
    }
    return true;
}

bool SortIntoBands(BandPieces* list, std::int32_t firstRow, std::int32_t rowsPerBand, std::int32_t bands) {
    if (!Reserve(&list->bandStart, &list->bandCapacity, bands + 1, 0)) return false;
    list->bandCount = bands;
    std::int64_t* start = list->bandStart;
    std::fill(start, start + bands + 1, 0);
    const std::int64_t endRow = firstRow + static_cast<std::int64_t>(rowsPerBand) * bands;
    const auto bandOf = [&](std::int32_t row) { return std::clamp((row - firstRow) / rowsPerBand, 0, bands - 1); };
    // First how many pieces each band holds, then where each band's run begins, then the runs.
    for (std::int64_t i = 0; i < list->count; ++i) {
        const RowBand rows = list->pieces[i].area.rows;
        if (rows.first >= rows.end || rows.end <= firstRow || rows.first >= endRow) continue;
        for (std::int32_t band = bandOf(rows.first); band <= bandOf(rows.end - 1); ++band) ++start[band + 1];
    }
    for (std::int32_t band = 0; band < bands; ++band) start[band + 1] += start[band];
    if (!Reserve(&list->byBand, &list->byBandCapacity, start[bands], 0)) return false;
    for (std::int64_t i = 0; i < list->count; ++i) {
        const RowBand rows = list->pieces[i].area.rows;
        if (rows.first >= rows.end || rows.end <= firstRow || rows.first >= endRow) continue;
        for (std::int32_t band = bandOf(rows.first); band <= bandOf(rows.end - 1); ++band)
            list->byBand[start[band]++] = static_cast<std::int32_t>(i);
    }
    // Each band's run now begins where the one before it began.
    for (std::int32_t band = bands; band > 0; --band) start[band] = start[band - 1];
    start[0] = 0;
    return true;
}

RowBand DrawBandPieces(const BandPieces& list, std::int32_t band, bool held, CanvasArea clip) {
    RowBand covered{0, 0};
    const double size = g_maskSize;
    for (std::int64_t at = list.bandStart[band]; at < list.bandStart[band + 1]; ++at) {
        const PlacedPiece& placed = list.pieces[list.byBand[at]];
        const MaskShape mask = ShapeOf(*placed.piece);
        const RowBand rows = DrawPieceInArea(placed.x, placed.y, placed.piece->homeX - g_margin,
                                             placed.piece->homeY - g_margin, &mask, held ? 0 : 1, size, size, clip);
        if (rows.first >= rows.end) continue;
        covered = covered.first >= covered.end
                      ? rows
                      : RowBand{std::min(covered.first, rows.first), std::max(covered.end, rows.end)};
    }
    return covered;
}
