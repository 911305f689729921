#include <windowsx.h>

#include <cmath>
#include <cstdint>
#include <limits>

#include "model/group.h"
#include "model/joining.h"
#include "model/picking.h"
#include "model/table.h"
#include "render/canvas.h"
#include "render/compose_frame.h"
#include "render/view.h"
#include "shell/main_window.h"
#include "shell/window_input.h"

namespace {

// Truncated toward zero and kept within 32 bits: a pointer far outside a zoomed-out view can
// land on table coordinates beyond them.
std::int32_t TableCoordinate(double value) {
    if (!(value > std::numeric_limits<std::int32_t>::min())) return std::numeric_limits<std::int32_t>::min();
    if (!(value < std::numeric_limits<std::int32_t>::max())) return std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(value);
}

// Positions are signed: while the mouse is held, the pointer may lie left of or above the window.
void PointerOf(LPARAM lParam, double* tableX, double* tableY) {
    PointerToTable(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam), tableX, tableY);
}

void Grab(LPARAM lParam) {
    double px = 0;
    double py = 0;
    PointerOf(lParam, &px, &py);
    const std::int32_t xi = TableCoordinate(px);
    const std::int32_t yi = TableCoordinate(py);
    g_draggedGroup = PickGroup(xi, yi);
    Group* group = g_draggedGroup;
    if (group == nullptr) return;
    // The group's position follows the pointer while held; the offset keeps it drawn where it was.
    // It is taken from the truncated pointer, as every later position is, so that a release without
    // a move puts the group back exactly and a drag moves it by the pointer's movement.
    group->dragDX = TableCoordinate(static_cast<double>(group->x) - xi);
    group->dragDY = TableCoordinate(static_cast<double>(group->y) - yi);
    group->x = xi;
    group->y = yi;
    RaiseGroup(group);
}

// The held group that is left after the drop's joins is the one placed.
void Drop() {
    Group* group = g_draggedGroup;
    group->x = TableCoordinate(static_cast<double>(group->x) + group->dragDX);
    group->y = TableCoordinate(static_cast<double>(group->y) + group->dragDY);
    JoinAllDropped();
    const Group* placed = g_draggedGroup;
    g_draggedGroup = nullptr;
    NoteGroupPlaced(placed);
}

}  // namespace

void PointerToTable(int x, int y, double* tableX, double* tableY) {
    // Canvas rows count from the bottom of the window.
    const std::int64_t sx = static_cast<std::int64_t>(x) * g_pixelScale;
    const std::int64_t sy = (static_cast<std::int64_t>(g_clientRect.bottom) - y) * g_pixelScale;
    g_view->CanvasToTable(static_cast<double>(sx), static_cast<double>(sy), tableX, tableY);
}

LRESULT OnButtonDown(HWND window, WPARAM wParam, LPARAM lParam) {
    Grab(lParam);
    // Held, the mouse is ours until the drop, even outside the window.
    if (g_draggedGroup != nullptr) SetCapture(window);
    return Redraw(window, WM_LBUTTONDOWN, wParam, lParam, kDraggedGroupMoved | kRestingGroupsChanged);
}

LRESULT OnMouseMove(HWND window, WPARAM wParam, LPARAM lParam) {
    double px = 0;
    double py = 0;
    PointerOf(lParam, &px, &py);
    g_draggedGroup->x = TableCoordinate(px);
    g_draggedGroup->y = TableCoordinate(py);
    return Redraw(window, WM_MOUSEMOVE, wParam, lParam, kDraggedGroupMoved);
}

LRESULT OnButtonUp(HWND window, WPARAM wParam, LPARAM lParam) {
    Drop();
    // Released only now: the capture-changed message it sends finds no group held.
    ReleaseCapture();
    return Redraw(window, WM_LBUTTONUP, wParam, lParam, kGroupsPlaced);
}

LRESULT OnCaptureLost(HWND window, WPARAM wParam, LPARAM lParam) {
    Drop();
    return Redraw(window, WM_CAPTURECHANGED, wParam, lParam, kGroupsPlaced);
}
