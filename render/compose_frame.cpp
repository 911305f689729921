#include "render/compose_frame.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "imaging/contrast_stretch.h"
#include "imaging/draw_piece.h"
#include "loaders/source_image.h"
#include "model/geometry.h"
#include "model/group.h"
#include "render/band_pieces.h"
#include "render/canvas.h"
#include "render/frame_threads.h"
#include "render/view.h"

std::int16_t g_backgroundGrey = 128;

namespace {

// Several bands a thread, taken as threads come free, so that a thread slowed by the rest of the
// machine holds the frame up by one thin band at most. Where pieces are shown enlarged and large,
// a pixel costs little to draw and the passes over the working image weigh most: a large image is
// then cut finer still, so that a band of about a megabyte is filled, drawn, saved and reduced
// while its rows are still in the core's cache. Measured, finer bands cost time where pieces are
// averaged, and where they are small, since each band sets up again every piece that reaches it.
constexpr std::int32_t kBandsPerThread = 4;
constexpr std::int64_t kCachedBandBytes = 1 << 20;
constexpr double kLargePieceRows = 64;
constexpr std::int32_t kMaxBands = 256;

// The pieces of the resting groups and of the held group, sorted into the bands of the frame.
BandPieces g_restingPieces;
BandPieces g_heldPieces;

// What every band of one frame does, worked out once for all of them, and the rows each band's
// share of the held group covered.
struct FrameWork {
    Canvas* canvas;
    Colour background;
    std::int32_t rowsPerBand;  // whole blocks of `scale` rows
    bool startsFromRest;       // or from the background
    bool drawsResting;
    bool placed;      // a drop's frame, which redraws `area` alone, its rows in bands
    CanvasArea area;
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

bool IsEmpty(CanvasArea area) { return IsEmpty(area.rows) || area.firstColumn >= area.endColumn; }

// The smallest area holding both.
CanvasArea Covering(CanvasArea a, CanvasArea b) {
    if (IsEmpty(a)) return b;
    if (IsEmpty(b)) return a;
    return CanvasArea{Spanning(a.rows, b.rows), std::min(a.firstColumn, b.firstColumn),
                      std::max(a.endColumn, b.endColumn)};
}

RowBand Within(RowBand rows, RowBand band) {
    return RowBand{std::max(rows.first, band.first), std::min(rows.end, band.end)};
}

// Widened to whole blocks of display rows, which the reduction works in.
RowBand WholeBlocks(RowBand rows, std::int32_t scale) {
    return RowBand{rows.first / scale * scale, (rows.end + scale - 1) / scale * scale};
}

// The canvas pixels drawing a resting group visits.
CanvasArea GroupArea(const Group& group) {
    CanvasArea area{{0, 0}, 0, 0};
    for (ListItem* item = group.members.first; item != nullptr; item = item->next) {
        const Piece* piece = RecordOf<PieceLink>(item)->piece;
        area = Covering(area, PieceArea(static_cast<double>(group.x) + piece->offsetX,
                                        static_cast<double>(group.y) + piece->offsetY, g_maskSize, g_maskSize));
    }
    return area;
}

// Lists the pieces of every group but the held one, sorted into bands of `rowsPerBand` rows from
// row `firstRow`; false when memory is short.
bool ListRestingPieces(std::int32_t firstRow, std::int32_t rowsPerBand, std::int32_t bands) {
    g_restingPieces.count = 0;
    for (ListItem* item = g_groups.first; item != nullptr; item = item->next) {
        const Group* group = RecordOf<Group>(item);
        if (group != g_draggedGroup && !ListGroupPieces(&g_restingPieces, *group, false)) return false;
    }
    return SortIntoBands(&g_restingPieces, firstRow, rowsPerBand, bands);
}

bool ListHeldPieces(const Group& held, std::int32_t rowsPerBand, std::int32_t bands) {
    g_heldPieces.count = 0;
    return ListGroupPieces(&g_heldPieces, held, true) && SortIntoBands(&g_heldPieces, 0, rowsPerBand, bands);
}

// The canvas pixels drawing the listed pieces visits.
CanvasArea ListedArea(const BandPieces& list) {
    CanvasArea area{{0, 0}, 0, 0};
    for (std::int64_t i = 0; i < list.count; ++i) area = Covering(area, list.pieces[i].area);
    return area;
}

// A drop's frame: the area alone is drawn again from the background, every group that touches it
// in drawing order, and then equals the rest image there, as everywhere else.
void ComposePlacedBand(const FrameWork& work, std::int32_t band, RowBand rows) {
    Canvas* canvas = work.canvas;
    const CanvasArea clip{rows, work.area.firstColumn, work.area.endColumn};
    canvas->FillArea(work.background, clip);
    DrawBandPieces(g_restingPieces, band, false, clip);
    canvas->SaveRestRows(rows);
    canvas->ReduceRows(rows);
}

// Each band draws the pieces that reach it, in drawing order, clipped to its rows; a pixel is the
// same whichever band draws it, so the frame is the same however it is cut. A frame that
// starts from the rest image touches only the rows the held group covered last time and covers
// now: everywhere else the working and display images are already what the frame would make.
void ComposeBand(void* context, std::int32_t band) {
    FrameWork& work = *static_cast<FrameWork*>(context);
    Canvas* canvas = work.canvas;
    if (work.placed) {
        const std::int32_t first = std::min(work.area.rows.first + band * work.rowsPerBand, work.area.rows.end);
        ComposePlacedBand(work, band, RowBand{first, std::min(first + work.rowsPerBand, work.area.rows.end)});
        work.heldRows[band] = RowBand{0, 0};
        return;
    }
    const std::int32_t first = std::min(band * work.rowsPerBand, canvas->height);
    const RowBand rows{first, std::min(first + work.rowsPerBand, canvas->height)};
    const CanvasArea clip{rows, 0, canvas->width};
    RowBand reduced = rows;
    if (work.startsFromRest) {
        const RowBand stale = Within(work.staleRows, rows);
        canvas->RestoreRestRows(stale);
        reduced = stale;
    } else {
        canvas->FillRows(work.background, rows);
    }
    if (work.drawsResting) {
        DrawBandPieces(g_restingPieces, band, false, clip);
        canvas->SaveRestRows(rows);
    }
    work.heldRows[band] = work.held != nullptr ? DrawBandPieces(g_heldPieces, band, true, clip) : RowBand{0, 0};
    if (work.startsFromRest) reduced = Within(WholeBlocks(Spanning(reduced, work.heldRows[band]), canvas->scale), rows);
    canvas->ReduceRows(reduced);
}

bool IsInPlay(const Group* group) {
    for (ListItem* item = g_groups.first; item != nullptr; item = item->next) {
        if (RecordOf<Group>(item) == group) return true;
    }
    return false;
}

// What the last frame was drawn with, and where it drew the held group: a drop's frame may redraw
// only its area while everything else stays as that frame left it.
struct FrameScene {
    double toCanvas[3][3];
    double tableWidth;
    double tableHeight;
    const std::uint8_t* pixels;
    const SourceImage* picture;
    const void* stretch;
    std::int16_t grey;
};

FrameScene g_lastScene{};
CanvasArea g_lastHeldArea{{0, 0}, 0, 0};
// Every other writer of the canvas marks all its rows changed, which the last frame left narrower.
RowBand g_lastChangedRows{0, 0};
CanvasArea g_placedArea{{0, 0}, 0, 0};

FrameScene SceneNow(const Canvas& canvas) {
    FrameScene scene{};
    if (g_view != nullptr) {
        std::copy(&g_view->toCanvas[0][0], &g_view->toCanvas[0][0] + 9, &scene.toCanvas[0][0]);
        scene.tableWidth = g_view->tableWidth;
        scene.tableHeight = g_view->tableHeight;
    }
    scene.pixels = canvas.pixels;
    scene.picture = g_sourceImage;
    scene.stretch = g_sourceImage != nullptr ? StretchInForce(*g_sourceImage) : nullptr;
    scene.grey = g_backgroundGrey;
    return scene;
}

bool SameScene(const FrameScene& a, const FrameScene& b) {
    return std::equal(&a.toCanvas[0][0], &a.toCanvas[0][0] + 9, &b.toCanvas[0][0]) && a.tableWidth == b.tableWidth &&
           a.tableHeight == b.tableHeight && a.pixels == b.pixels && a.picture == b.picture &&
           a.stretch == b.stretch && a.grey == b.grey;
}

// Whether a table unit covers more than one canvas pixel and a piece many rows.
bool ShowsPiecesEnlargedAndLarge() {
    if (g_view == nullptr) return false;
    const auto& b = g_view->toCanvas;
    const double scale = std::sqrt(b[0][0] * b[0][0] + b[0][1] * b[0][1]);
    return scale > 1.0 && scale * g_maskSize >= kLargePieceRows;
}

// For a frame that draws `bytes` of the working image.
std::int32_t BandCount(std::int64_t bytes) {
    const std::int32_t threads = std::clamp(g_frameThreads, 1, kMaxBands / kBandsPerThread);
    const std::int32_t forThreads = threads == 1 ? 1 : threads * kBandsPerThread;
    const std::int64_t forCache = ShowsPiecesEnlargedAndLarge() ? bytes / kCachedBandBytes : 0;
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(forCache, forThreads, kMaxBands));
}

bool CanvasUntouched(const Canvas& canvas) {
    const RowBand rows = canvas.changedRows;
    return rows.first == g_lastChangedRows.first && rows.end == g_lastChangedRows.end &&
           !(rows.first == 0 && rows.end == canvas.height) && SameScene(g_lastScene, SceneNow(canvas));
}

Colour BackgroundColour() {
    Colour background;
    background.red = background.green = background.blue = static_cast<std::uint8_t>(g_backgroundGrey & 0xFF);
    return background;
}

// Where the held group was last drawn and where the placed group lies now, in whole blocks of rows.
// False, with nothing drawn, when memory is short.
bool ComposePlaced(Canvas* canvas, CanvasArea placedArea) {
    LockHold render(&canvas->renderLock);
    LockHold display(&canvas->displayLock);
    FrameWork work{};
    work.canvas = canvas;
    work.background = BackgroundColour();
    work.placed = true;
    work.area = Covering(g_lastHeldArea, placedArea);
    work.area.rows = WholeBlocks(work.area.rows, canvas->scale);
    const std::int32_t bands = BandCount(static_cast<std::int64_t>(work.area.endColumn - work.area.firstColumn) *
                                         (work.area.rows.end - work.area.rows.first) * canvas->bytesPerPixel);
    const std::int32_t blocks = (work.area.rows.end - work.area.rows.first) / canvas->scale;
    work.rowsPerBand = std::max((blocks + bands - 1) / bands, 1) * canvas->scale;
    if (!IsEmpty(work.area)) {
        if (!ListRestingPieces(work.area.rows.first, work.rowsPerBand, bands)) return false;
        RunBands(ComposeBand, &work, bands);
    }
    canvas->changedRows = RowBand{0, 0};
    return true;
}

}  // namespace

void NoteGroupPlaced(const Group* placed) {
    g_placedArea = placed != nullptr && g_canvas != nullptr ? GroupArea(*placed) : CanvasArea{{0, 0}, 0, 0};
}

void ComposeFrame(std::int32_t flags) {
    if (g_canvas == nullptr) return;
    Canvas* canvas = g_canvas;
    const bool picture = g_sourceImage != nullptr && g_sourceImage->loaded != 0;
    // A drop's frame redraws its area alone only over the frame just drawn, unchanged but for the
    // drop, and with a rest image to keep; otherwise it is a full frame.
    // The area is good for the frame that follows the drop alone.
    const CanvasArea placedArea = std::exchange(g_placedArea, CanvasArea{{0, 0}, 0, 0});
    const bool placed = (flags & kGroupsPlaced) != 0 && picture && g_draggedGroup == nullptr &&
                        canvas->restPixels != nullptr && canvas->display != nullptr && CanvasUntouched(*canvas) &&
                        ComposePlaced(canvas, placedArea);
    if ((flags & kGroupsPlaced) != 0 && !placed) flags |= kDraggedGroupMoved | kRestingGroupsChanged;
    g_lastScene.pixels = nullptr;  // until this frame is drawn
    if (placed) {
        g_lastHeldArea = CanvasArea{{0, 0}, 0, 0};
        g_lastChangedRows = canvas->changedRows;
        g_lastScene = SceneNow(*canvas);
        return;
    }
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
    work.background = BackgroundColour();
    work.startsFromRest = drawsHeld && !drawsResting && canvas->restPixels != nullptr;
    work.drawsResting = drawsResting;
    work.held = drawsHeld && g_draggedGroup != nullptr && IsInPlay(g_draggedGroup) ? g_draggedGroup : nullptr;
    work.staleRows = canvas->changedRows;
    const std::int32_t bands = BandCount(static_cast<std::int64_t>(canvas->WorkingBytes(0, canvas->height)));
    const std::int32_t blocks = canvas->DisplayHeight();
    work.rowsPerBand = std::max((blocks + bands - 1) / bands, 1) * canvas->scale;
    if ((drawsResting && !ListRestingPieces(0, work.rowsPerBand, bands)) ||
        (work.held != nullptr && !ListHeldPieces(*work.held, work.rowsPerBand, bands)))
        return;
    RunBands(ComposeBand, &work, bands);

    // Only a frame drawn over a saved rest image leaves the working image equal to it outside the
    // held group.
    const bool overRest = work.startsFromRest || (drawsResting && canvas->restPixels != nullptr);
    RowBand heldRows{0, 0};
    for (std::int32_t band = 0; band < bands; ++band) heldRows = Spanning(heldRows, work.heldRows[band]);
    canvas->changedRows = overRest ? heldRows : RowBand{0, canvas->height};
    g_lastHeldArea = work.held != nullptr ? ListedArea(g_heldPieces) : CanvasArea{{0, 0}, 0, 0};
    g_lastChangedRows = canvas->changedRows;
    g_lastScene = SceneNow(*canvas);
}
