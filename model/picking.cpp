#include "model/picking.h"

#include <cstdlib>

#include "model/geometry.h"

// Positions are summed in 64 bits: a group dragged far off the table plus a large offset can
// pass the 32-bit range.
static bool SquareHolds(const Group* group, const Piece* piece, std::int32_t x, std::int32_t y, std::int64_t radius) {
    const std::int64_t dx = x - (static_cast<std::int64_t>(group->x) + piece->offsetX);
    if (std::llabs(dx) >= radius) return false;
    const std::int64_t dy = y - (static_cast<std::int64_t>(group->y) + piece->offsetY);
    return std::llabs(dy) < radius;
}

Group* PickGroup(std::int32_t x, std::int32_t y) {
    const std::int64_t radius = g_pitch / 2;
    for (ListItem* g = g_groups.last; g != nullptr; g = g->prev) {
        Group* group = RecordOf<Group>(g);
        for (ListItem* it = group->members.first; it != nullptr; it = it->next) {
            if (SquareHolds(group, RecordOf<PieceLink>(it)->piece, x, y, radius)) return group;
        }
    }
    return nullptr;
}
