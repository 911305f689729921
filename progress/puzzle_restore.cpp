#include <cstddef>
#include <memory>
#include <new>

#include "imaging/contrast_stretch.h"
#include "loaders/source_image.h"
#include "model/generation.h"
#include "model/geometry.h"
#include "model/group.h"
#include "model/piece_id.h"
#include "model/random.h"
#include "model/table.h"
#include "progress/puzzle_arrangement.h"
#include "render/canvas.h"
#include "render/compose_frame.h"
#include "render/view.h"

namespace {

// The index of a piece in the cut's row-major order, or −1 for an id outside the grid.
std::int64_t PieceIndex(const PuzzleRecord& record, std::int64_t stride, std::int32_t id) {
    const std::int64_t row = id / stride;
    const std::int64_t column = id % stride;
    if (row < 1 || row > record.rows || column < 1 || column > record.columns) return -1;
    return (row - 1) * record.columns + column - 1;
}

bool PictureGivesGrid(const PuzzleRecord& record) {
    const GridGeometry geometry = GeometryForCellSize(record.cellSize);
    const SourceImage* image = g_sourceImage;
    if (geometry.cellSize != record.cellSize || image == nullptr || image->loaded == 0) return false;
    const GridPlacement grid = PlaceGrid(image->width, image->height, geometry.pitch);
    return grid.columns == record.columns && grid.rows == record.rows && record.rows > 0 && record.columns > 0;
}

bool CutAgain(const PuzzleRecord& record) {
    const std::uint64_t live = g_randomState;
    g_cellSize = record.cellSize;
    g_randomState = record.seed;
    const bool cut = GeneratePuzzle();
    g_randomState = live;
    return cut && g_groups.count == RecordedPieces(record);
}

// Every member's table offset must stay a 32-bit number.
bool ShiftsFit(const PuzzleRecord& record, PieceLink* const* links) {
    std::int64_t member = 0;
    for (std::int32_t g = 0; g < record.groupCount; ++g) {
        const GroupRecord& group = record.groups[g];
        for (std::int32_t m = 0; m < group.memberCount; ++m, ++member) {
            const Piece* piece = links[PieceIndex(record, IdStride(record.columns), record.members[member])]->piece;
            const std::int64_t x = static_cast<std::int64_t>(piece->homeX) + group.shiftX;
            const std::int64_t y = static_cast<std::int64_t>(piece->homeY) + group.shiftY;
            if (x != static_cast<std::int32_t>(x) || y != static_cast<std::int32_t>(y)) return false;
        }
    }
    return true;
}

// The cut left one piece a group, in row-major order; its links and group records are reused, so
// the arranging itself cannot fail half-way.
void Arrange(const PuzzleRecord& record, PieceLink** links, Group** pool) {
    const std::int64_t pieces = RecordedPieces(record);
    for (std::int64_t i = 0; i < pieces; ++i) {
        pool[i] = RecordOf<Group>(TakeFirst(&g_groups));
        TakeFirst(&pool[i]->members);
    }
    const std::int64_t stride = IdStride(record.columns);
    std::int64_t member = 0;
    for (std::int32_t g = 0; g < record.groupCount; ++g) {
        Group* group = pool[g];
        group->x = record.groups[g].x;
        group->y = record.groups[g].y;
        PushBack(&g_groups, &group->links);
        for (std::int32_t m = 0; m < record.groups[g].memberCount; ++m, ++member) {
            PieceLink* link = links[PieceIndex(record, stride, record.members[member])];
            link->piece->offsetX = link->piece->homeX + record.groups[g].shiftX;
            link->piece->offsetY = link->piece->homeY + record.groups[g].shiftY;
            PushBack(&group->members, &link->links);
        }
    }
    for (std::int64_t i = record.groupCount; i < pieces; ++i) delete pool[i];
}

bool ArrangeGroups(const PuzzleRecord& record) {
    const auto pieces = static_cast<std::size_t>(RecordedPieces(record));
    std::unique_ptr<PieceLink*[]> links(new (std::nothrow) PieceLink*[pieces]);
    std::unique_ptr<Group*[]> pool(new (std::nothrow) Group*[pieces]);
    if (links == nullptr || pool == nullptr) return false;
    std::size_t i = 0;
    for (ListItem* it = g_groups.first; it != nullptr; it = it->next) {
        links[i++] = RecordOf<PieceLink>(RecordOf<Group>(it)->members.first);
    }
    if (!ShiftsFit(record, links.get())) return false;
    Arrange(record, links.get(), pool.get());
    return true;
}

bool ArrangeView(const PuzzleRecord& record) {
    g_backgroundGrey = record.backgroundGrey;
    g_pixelScale = record.pixelScale;
    g_contrastStretch = record.contrastStretch;
    if (g_canvas != nullptr && g_canvas->scale != record.pixelScale) {
        g_canvas->Resize(g_clientRect.right - g_clientRect.left, g_clientRect.bottom - g_clientRect.top, record.pixelScale);
    }
    g_tableWidth = record.tableWidth;
    g_tableHeight = record.tableHeight;
    if (g_view == nullptr) return true;
    g_view->SetTableExtent(record.tableWidth, record.tableHeight);
    return g_view->SetTransform(record.view);
}

}  // namespace

bool MembersValid(const PuzzleRecord& record) {
    const std::int64_t pieces = RecordedPieces(record);
    if (record.rows <= 0 || record.columns <= 0 || pieces > kMostRecordedPieces) return false;
    if (!GridIdsFit(record.rows, record.columns) || record.groupCount <= 0 || record.groupCount > pieces) return false;
    std::unique_ptr<bool[]> seen(new (std::nothrow) bool[static_cast<std::size_t>(pieces)]());
    if (seen == nullptr) return false;
    const std::int64_t stride = IdStride(record.columns);
    std::int64_t member = 0;
    for (std::int32_t g = 0; g < record.groupCount; ++g) {
        const std::int32_t count = record.groups[g].memberCount;
        if (count <= 0 || count > pieces - member) return false;
        for (std::int32_t m = 0; m < count; ++m, ++member) {
            const std::int64_t index = PieceIndex(record, stride, record.members[member]);
            if (index < 0 || seen[index]) return false;
            seen[index] = true;
        }
    }
    return member == pieces;
}

bool RestorePuzzle(const PuzzleRecord& record) {
    // The cell size the player chose stays chosen for the next cut: it starts at 64 in every run.
    const std::int32_t cellSize = g_cellSize;
    const bool restored = PictureGivesGrid(record) && MembersValid(record) && CutAgain(record) &&
                          ArrangeGroups(record) && ArrangeView(record);
    g_cellSize = cellSize;
    if (!restored) ClearPuzzle();
    return restored;
}

bool PuzzleSolved() {
    return g_groups.count == 1 && RecordOf<Group>(g_groups.first)->members.count > 1;
}
