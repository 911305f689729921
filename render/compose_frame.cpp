#include "render/compose_frame.h"

#include "imaging/draw_piece.h"
#include "loaders/source_image.h"
#include "model/geometry.h"
#include "model/group.h"
#include "render/canvas.h"

std::int16_t g_backgroundGrey = 128;

namespace {

// Resting groups may be averaged where the picture is shrunk; the held group is redrawn at every
// pointer move and always takes the cheaper interpolation.
void DrawGroup(const Group& group, bool held) {
    // Positions are summed as doubles, where no sum of 32-bit coordinates can overflow.
    const double x = static_cast<double>(group.x) + (held ? group.dragDX : 0);
    const double y = static_cast<double>(group.y) + (held ? group.dragDY : 0);
    const double size = g_maskSize;
    for (ListItem* item = group.members.first; item != nullptr; item = item->next) {
        const Piece* piece = RecordOf<PieceLink>(item)->piece;
        DrawPiece(x + piece->offsetX, y + piece->offsetY, piece->homeX - g_margin, piece->homeY - g_margin, piece->mask,
                  held ? 0 : 1, size, size);
    }
}

// A drag frame starts from the rest image, which covers the whole working image; only without one
// does the background have to be laid first.
bool StartsFromRestImage(std::int32_t flags) {
    if ((flags & kRestingGroupsChanged) != 0 || (flags & kDraggedGroupMoved) == 0) return false;
    LockHold render(&g_canvas->renderLock);
    return g_canvas->restPixels != nullptr;
}

bool IsInPlay(const Group* group) {
    for (ListItem* item = g_groups.first; item != nullptr; item = item->next) {
        if (RecordOf<Group>(item) == group) return true;
    }
    return false;
}

}  // namespace

void ComposeFrame(std::int32_t flags) {
    if (g_canvas == nullptr) return;
    const bool picture = g_sourceImage != nullptr && g_sourceImage->loaded != 0;
    if (!picture || !StartsFromRestImage(flags)) {
        Colour background;
        background.red = background.green = background.blue = static_cast<std::uint8_t>(g_backgroundGrey & 0xFF);
        g_canvas->Fill(background);
    }
    if (!picture) {
        g_canvas->UpdateDisplay();
        return;
    }
    if ((flags & kRestingGroupsChanged) != 0) {
        for (ListItem* item = g_groups.first; item != nullptr; item = item->next) {
            const Group* group = RecordOf<Group>(item);
            if (group != g_draggedGroup) DrawGroup(*group, false);
        }
        g_canvas->SaveRest();
    }
    if ((flags & kDraggedGroupMoved) != 0) {
        if ((flags & kRestingGroupsChanged) == 0) g_canvas->RestoreRest();
        if (g_draggedGroup != nullptr && IsInPlay(g_draggedGroup)) DrawGroup(*g_draggedGroup, true);
    }
    g_canvas->UpdateDisplay();
}
