#include <algorithm>
#include <cstdint>

#include "imaging/contrast_stretch.h"
#include "model/group.h"
#include "model/table.h"
#include "progress/puzzle_arrangement.h"
#include "render/canvas.h"
#include "render/compose_frame.h"
#include "render/view.h"

namespace {

std::int32_t WithinReach(std::int64_t position, std::int32_t side) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(position, -static_cast<std::int64_t>(side), 2 * static_cast<std::int64_t>(side)));
}

// False when the members do not share one shift from their homes, which no join can produce.
bool CaptureGroup(const Group* group, PuzzleRecord* record, GroupRecord* out, std::int64_t* member) {
    const Piece* first = RecordOf<PieceLink>(group->members.first)->piece;
    const bool held = group == g_draggedGroup;
    out->x = WithinReach(static_cast<std::int64_t>(group->x) + (held ? group->dragDX : 0), record->tableWidth);
    out->y = WithinReach(static_cast<std::int64_t>(group->y) + (held ? group->dragDY : 0), record->tableHeight);
    const std::int64_t shiftX = static_cast<std::int64_t>(first->offsetX) - first->homeX;
    const std::int64_t shiftY = static_cast<std::int64_t>(first->offsetY) - first->homeY;
    out->shiftX = static_cast<std::int32_t>(shiftX);
    out->shiftY = static_cast<std::int32_t>(shiftY);
    if (out->shiftX != shiftX || out->shiftY != shiftY) return false;
    out->memberCount = group->members.count;
    for (ListItem* it = group->members.first; it != nullptr; it = it->next) {
        const Piece* piece = RecordOf<PieceLink>(it)->piece;
        if (static_cast<std::int64_t>(piece->offsetX) - piece->homeX != shiftX ||
            static_cast<std::int64_t>(piece->offsetY) - piece->homeY != shiftY) {
            return false;
        }
        if (*member >= RecordedPieces(*record)) return false;
        record->members[(*member)++] = piece->id;
    }
    return true;
}

}  // namespace

bool CapturePuzzle(PuzzleRecord* record) {
    if (g_groups.count == 0 || g_view == nullptr || !AllocateRecord(record, g_groups.count)) return false;
    record->tableWidth = g_tableWidth;
    record->tableHeight = g_tableHeight;
    for (int r = 0; r < 2; ++r) std::copy(g_view->toTable[r], g_view->toTable[r] + 3, record->view[r]);
    record->backgroundGrey = static_cast<std::int16_t>(g_backgroundGrey & 255);
    record->pixelScale = g_pixelScale;
    record->contrastStretch = g_contrastStretch != 0 ? 1 : 0;
    std::int64_t member = 0;
    std::int32_t g = 0;
    for (ListItem* it = g_groups.first; it != nullptr; it = it->next, ++g) {
        if (!CaptureGroup(RecordOf<Group>(it), record, &record->groups[g], &member)) return false;
    }
    return member == RecordedPieces(*record) && MembersValid(*record);
}
