#include "render/compose_frame.h"

#include <algorithm>

#include "imaging/draw_piece.h"
#include "loaders/source_image.h"
#include "model/geometry.h"
#include "model/group.h"
#include "render/canvas.h"
#include "render/frame_threads.h"

std::int16_t g_backgroundGrey = 128;

namespace {

// Several bands a thread, taken as threads come free, so that a thread slowed by the rest of the
// machine holds the frame up by one thin band at most.
constexpr std::int32_t kBandsPerThread = 4;
constexpr std::int32_t kMaxBands = 8 * kBandsPerThread;

// What every band of one frame does, worked out once for all of them, and the rows each band's
// share of the held group covered.
struct FrameWork {
    Canvas* canvas;
    Colour background;
    std::int32_t rowsPerBand;  // whole blocks of `scale` rows
    bool startsFromRest;       // or from the background
    bool drawsResting;
    const Group* held;   // drawn on top, or null
    RowBand staleRows;   // where a frame that starts from the rest image must restore and reduce
    RowBand heldRows[kMaxBands];
};

bool IsEmpty(RowBand rows) { return rows.first >= rows.end; }

// The smallest band holding both.
RowBand Spanning(RowBand a, RowBand b) {
    if (IsEmpty(a)) return b;
    if (IsEmpty(b)) return a;
    return RowBand{std::min(a.first, b.first), std::max(a.end, b.end)};
}

RowBand Within(RowBand rows, RowBand band) {
    return RowBand{std::max(rows.first, band.first), std::min(rows.end, band.end)};
}

// Widened to whole blocks of display rows, which the reduction works in.
RowBand WholeBlocks(RowBand rows, std::int32_t scale) {
    return RowBand{rows.first / scale * scale, (rows.end + scale - 1) / scale * scale};
}

// Resting groups may be averaged where the picture is shrunk; the held group is redrawn at every
// pointer move and always takes the cheaper interpolation. Returns the rows the group covered.
RowBand DrawGroup(const Group& group, bool held, RowBand rows) {
    // Positions are summed as doubles, where no sum of 32-bit coordinates can overflow.
    const double x = static_cast<double>(group.x) + (held ? group.dragDX : 0);
    const double y = static_cast<double>(group.y) + (held ? group.dragDY : 0);
    const double size = g_maskSize;
    RowBand covered{0, 0};
    for (ListItem* item = group.members.first; item != nullptr; item = item->next) {
        const Piece* piece = RecordOf<PieceLink>(item)->piece;
        covered = Spanning(covered, DrawPieceInBand(x + piece->offsetX, y + piece->offsetY, piece->homeX - g_margin,
                                                    piece->homeY - g_margin, piece->mask, held ? 0 : 1, size, size,
                                                    rows));
    }
    return covered;
}

// Every group is drawn into every band, in the same order, clipped to the band's rows; a pixel
// is the same whichever band draws it, so the frame is the same however it is cut. A frame that
// starts from the rest image touches only the rows the held group covered last time and covers
// now: everywhere else the working and display images are already what the frame would make.
void ComposeBand(void* context, std::int32_t band) {
    FrameWork& work = *static_cast<FrameWork*>(context);
    Canvas* canvas = work.canvas;
    const std::int32_t first = std::min(band * work.rowsPerBand, canvas->height);
    const RowBand rows{first, std::min(first + work.rowsPerBand, canvas->height)};
    RowBand reduced = rows;
    if (work.startsFromRest) {
        const RowBand stale = Within(work.staleRows, rows);
        canvas->RestoreRestRows(stale);
        reduced = stale;
    } else {
        canvas->FillRows(work.background, rows);
    }
    if (work.drawsResting) {
        for (ListItem* item = g_groups.first; item != nullptr; item = item->next) {
            const Group* group = RecordOf<Group>(item);
            if (group != g_draggedGroup) DrawGroup(*group, false, rows);
        }
        canvas->SaveRestRows(rows);
    }
    work.heldRows[band] = work.held != nullptr ? DrawGroup(*work.held, true, rows) : RowBand{0, 0};
    if (work.startsFromRest) reduced = Within(WholeBlocks(Spanning(reduced, work.heldRows[band]), canvas->scale), rows);
    canvas->ReduceRows(reduced);
}

bool IsInPlay(const Group* group) {
    for (ListItem* item = g_groups.first; item != nullptr; item = item->next) {
        if (RecordOf<Group>(item) == group) return true;
    }
    return false;
}

std::int32_t BandCount() {
    const std::int32_t threads = std::clamp(g_frameThreads, 1, kMaxBands / kBandsPerThread);
    return threads == 1 ? 1 : threads * kBandsPerThread;
}

}  // namespace

void ComposeFrame(std::int32_t flags) {
    if (g_canvas == nullptr) return;
    Canvas* canvas = g_canvas;
    const bool picture = g_sourceImage != nullptr && g_sourceImage->loaded != 0;
    const bool drawsHeld = picture && (flags & kDraggedGroupMoved) != 0;
    // Without a rest image to start from (its memory could not be had), a drag frame is a full one.
    const bool drawsResting =
        picture && ((flags & kRestingGroupsChanged) != 0 || (drawsHeld && canvas->restPixels == nullptr));
    // The frame's threads write disjoint rows and take no lock: the frame holds both for them.
    LockHold render(&canvas->renderLock);
    LockHold display(&canvas->displayLock);
    if (!canvas->PrepareFrame(drawsResting)) return;

    FrameWork work{};
    work.canvas = canvas;
    work.background.red = work.background.green = work.background.blue =
        static_cast<std::uint8_t>(g_backgroundGrey & 0xFF);
    work.startsFromRest = drawsHeld && !drawsResting && canvas->restPixels != nullptr;
    work.drawsResting = drawsResting;
    work.held = drawsHeld && g_draggedGroup != nullptr && IsInPlay(g_draggedGroup) ? g_draggedGroup : nullptr;
    work.staleRows = canvas->changedRows;
    const std::int32_t bands = BandCount();
    const std::int32_t blocks = canvas->DisplayHeight();
    work.rowsPerBand = std::max((blocks + bands - 1) / bands, 1) * canvas->scale;
    RunBands(ComposeBand, &work, bands);

    // Only a frame drawn over a saved rest image leaves the working image equal to it outside the
    // held group.
    const bool overRest = work.startsFromRest || (drawsResting && canvas->restPixels != nullptr);
    RowBand heldRows{0, 0};
    for (std::int32_t band = 0; band < bands; ++band) heldRows = Spanning(heldRows, work.heldRows[band]);
    canvas->changedRows = overRest ? heldRows : RowBand{0, canvas->height};
}
