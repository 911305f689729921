#include "model/joining.h"

#include "model/snapping.h"

// Moves every piece of `dropped` into `resting`, keeping each at its table position shifted by
// the correction, now counted from the resting group's position.
static void MovePieces(Group* dropped, Group* resting, std::int32_t cx, std::int32_t cy) {
    const std::int64_t shiftX = static_cast<std::int64_t>(cx) + dropped->x - resting->x;
    const std::int64_t shiftY = static_cast<std::int64_t>(cy) + dropped->y - resting->y;
    while (ListItem* item = TakeFirst(&dropped->members)) {
        Piece* piece = RecordOf<PieceLink>(item)->piece;
        piece->offsetX = static_cast<std::int32_t>(piece->offsetX + shiftX);
        piece->offsetY = static_cast<std::int32_t>(piece->offsetY + shiftY);
        PushBack(&resting->members, item);
    }
}

Group* JoinDropped() {
    Group* dropped = g_draggedGroup;
    if (dropped == nullptr) return nullptr;
    for (ListItem* it = g_groups.last; it != nullptr; it = it->prev) {
        Group* resting = RecordOf<Group>(it);
        std::int32_t cx = 0;
        std::int32_t cy = 0;
        if (resting == dropped || !FindFit(resting, dropped, &cx, &cy)) continue;
        MovePieces(dropped, resting, cx, cy);
        DestroyGroup(dropped);
        delete dropped;
        // The held group is gone; the survivor is held in its place until the drop ends.
        g_draggedGroup = resting;
        RecentreGroup(resting);
        return resting;
    }
    return nullptr;
}

void JoinAllDropped() {
    for (Group* survivor = JoinDropped(); survivor != nullptr; survivor = JoinDropped()) LowerGroup(survivor);
}
