#include "model/snapping.h"

#include <cstdlib>

#include "model/geometry.h"

namespace {

struct Tolerances {
    std::int64_t pitch;
    std::int64_t across;  // the misalignment across the seam must be less than this
    std::int64_t reach;   // the distance along it must be less than this
};

struct Position {
    std::int64_t x;
    std::int64_t y;
};

Position TablePosition(const Group* group, const Piece* piece) {
    return {static_cast<std::int64_t>(group->x) + piece->offsetX, static_cast<std::int64_t>(group->y) + piece->offsetY};
}

// hx, hy: where the dropped piece s lies from the resting piece q. The side is chosen by the sign
// alone, so a piece dropped exactly onto q snaps only as its upper or left neighbour.
bool Fits(const Piece* q, const Piece* s, std::int64_t hx, std::int64_t hy, const Tolerances& t, std::int64_t* cx, std::int64_t* cy) {
    if (std::llabs(hx) >= t.reach || std::llabs(hy) >= t.reach) return false;
    if (std::llabs(hx) < t.across) {
        *cx = -hx;
        *cy = hy > 0 ? t.pitch - hy : -(t.pitch + hy);
        if (s->id == (hy > 0 ? q->downId : q->upId)) return true;
    }
    if (std::llabs(hy) < t.across) {
        *cy = -hy;
        *cx = hx > 0 ? t.pitch - hx : -(t.pitch + hx);
        if (s->id == (hx > 0 ? q->rightId : q->leftId)) return true;
    }
    return false;
}

}  // namespace

bool FindFit(const Group* resting, const Group* dropped, std::int32_t* correctionX, std::int32_t* correctionY) {
    const std::int64_t pitch = g_pitch;
    const Tolerances tolerances{pitch, pitch / 4, pitch + pitch / 4};
    for (ListItem* qi = resting->members.first; qi != nullptr; qi = qi->next) {
        const Piece* q = RecordOf<PieceLink>(qi)->piece;
        const Position qp = TablePosition(resting, q);
        for (ListItem* si = dropped->members.first; si != nullptr; si = si->next) {
            const Piece* s = RecordOf<PieceLink>(si)->piece;
            const Position sp = TablePosition(dropped, s);
            std::int64_t cx = 0;
            std::int64_t cy = 0;
            if (!Fits(q, s, sp.x - qp.x, sp.y - qp.y, tolerances, &cx, &cy)) continue;
            // Both lie within the reach, so they fit in 32 bits.
            *correctionX = static_cast<std::int32_t>(cx);
            *correctionY = static_cast<std::int32_t>(cy);
            return true;
        }
    }
    return false;
}
