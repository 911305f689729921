#include "model/group.h"

#include "model/mask.h"

List g_groups;
Group* g_draggedGroup = nullptr;

void DestroyGroup(Group* group) {
    Clear<PieceLink>(&group->members);
    Unlink(&group->links);
}

static void FreePiece(Piece* piece) {
    Unlink(&piece->links);
    delete piece;
}

void ClearPuzzle() {
    while (g_groups.last != nullptr) {
        Group* group = RecordOf<Group>(g_groups.last);
        for (ListItem* it = group->members.first; it != nullptr; it = it->next) {
            FreePiece(RecordOf<PieceLink>(it)->piece);
        }
        DestroyGroup(group);
        delete group;
    }
    FreeSeamTable();
    // The held group is gone with the rest; a pointer to it must not outlive it.
    g_draggedGroup = nullptr;
}

void RecentreGroup(Group* group) {
    const std::int32_t count = group->members.count;
    if (count == 0) return;
    // Summed in 64 bits: a large puzzle's offsets add up past the 32-bit range.
    std::int64_t sumX = 0;
    std::int64_t sumY = 0;
    for (ListItem* it = group->members.first; it != nullptr; it = it->next) {
        sumX += RecordOf<PieceLink>(it)->piece->offsetX;
        sumY += RecordOf<PieceLink>(it)->piece->offsetY;
    }
    const auto mx = static_cast<std::int32_t>(sumX / count);
    const auto my = static_cast<std::int32_t>(sumY / count);
    if (mx == 0 && my == 0) return;
    group->x += mx;
    group->y += my;
    for (ListItem* it = group->members.first; it != nullptr; it = it->next) {
        Piece* piece = RecordOf<PieceLink>(it)->piece;
        piece->offsetX -= mx;
        piece->offsetY -= my;
    }
}

void RaiseGroup(Group* group) {
    Unlink(&group->links);
    PushBack(&g_groups, &group->links);
}

void LowerGroup(Group* group) {
    Unlink(&group->links);
    PushFront(&g_groups, &group->links);
}
