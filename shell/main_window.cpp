#include "shell/main_window.h"

#include <new>

#include "model/group.h"
#include "model/table.h"
#include "progress/puzzle_arrangement.h"
#include "render/canvas.h"
#include "render/compose_frame.h"
#include "render/view.h"
#include "shell/menu_commands.h"
#include "shell/puzzle_keeping.h"
#include "shell/window_input.h"
#include "ui/favorites.h"

std::int16_t g_inSizeMove = 0;

namespace {

void ReadClientRect(HWND window) {
    RECT client;
    if (!GetClientRect(window, &client)) client = RECT{};
    g_clientRect = PixelRect{client.left, client.top, client.right, client.bottom};
}

void ReleaseAll() {
    ClearPuzzle();
    delete g_view;
    g_view = nullptr;
    delete g_canvas;
    g_canvas = nullptr;
}

// Without a canvas and a view every later message would work on null pointers, so a window
// that cannot have them is not created at all.
LRESULT OnCreate(HWND window) {
    ReadClientRect(window);
    g_canvas = new (std::nothrow) Canvas;
    if (g_canvas != nullptr) {
        g_canvas->InitSize(g_clientRect.right, g_clientRect.bottom);
        g_view = new (std::nothrow) View;
    }
    if (g_view == nullptr) {
        ReleaseAll();
        return -1;
    }
    return 1;
}

LRESULT OnDestroy() {
    ReleaseAll();
    PostQuitMessage(0);
    return 0;
}

LRESULT Refit(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    ReadClientRect(window);
    if (g_canvas != nullptr) {
        g_canvas->Resize(g_clientRect.right, g_clientRect.bottom, 0);
        FitTable();
    }
    return Redraw(window, message, wParam, lParam, kDraggedGroupMoved | kRestingGroupsChanged | kSizeChanged);
}

// Begin and end always pair: a paint message left unvalidated would come back for ever.
LRESULT OnPaint(HWND window) {
    PAINTSTRUCT paint;
    HDC deviceContext = BeginPaint(window, &paint);
    if (g_canvas != nullptr && deviceContext != nullptr) g_canvas->Present(deviceContext);
    EndPaint(window, &paint);
    return 0;
}

LRESULT OnClose(HWND window) {
    StorePuzzleNow();
    if (g_favoritesDirty != 0) SaveFavorites();
    DestroyWindow(window);
    return 0;
}

// A drop solved the puzzle when it was not solved before it.
LRESULT OnDrop(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const bool solvedBefore = PuzzleSolved();
    const LRESULT result = message == WM_LBUTTONUP ? OnButtonUp(window, wParam, lParam) : OnCaptureLost(window, wParam, lParam);
    return AfterDrop(window, solvedBefore, result);
}

}  // namespace

LRESULT Redraw(HWND window, UINT message, WPARAM wParam, LPARAM lParam, std::int32_t flags) {
    ComposeFrame(flags);
    const RECT client = {g_clientRect.left, g_clientRect.top, g_clientRect.right, g_clientRect.bottom};
    InvalidateRect(window, &client, (flags & kSizeChanged) != 0 ? TRUE : FALSE);
    return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        return OnCreate(window);
    case WM_DESTROY:
        return OnDestroy();
    case WM_SIZE:
        NoteWindowSize(wParam);
        if (g_inSizeMove == 0) return Refit(window, message, wParam, lParam);
        break;
    case WM_ENTERSIZEMOVE:
        g_inSizeMove = 1;
        break;
    case WM_EXITSIZEMOVE:
        g_inSizeMove = 0;
        return Refit(window, message, wParam, lParam);
    case WM_PAINT:
        return OnPaint(window);
    case WM_CLOSE:
        return OnClose(window);
    case WM_COMMAND:
        if (HIWORD(wParam) == 0) return OnMenuCommand(window, LOWORD(wParam), lParam);
        break;
    case WM_KEYDOWN:
        return OnKeyDown(window, wParam, lParam);
    case WM_LBUTTONDOWN:
        return OnButtonDown(window, wParam, lParam);
    case WM_MOUSEMOVE:
        if (g_draggedGroup != nullptr) return OnMouseMove(window, wParam, lParam);
        break;
    case WM_LBUTTONUP:
        if (g_draggedGroup != nullptr) return OnDrop(window, message, wParam, lParam);
        break;
    case WM_CAPTURECHANGED:
        if (g_draggedGroup != nullptr) return OnDrop(window, message, wParam, lParam);
        break;
    case WM_TIMER:
        if (wParam == kStoreTimer) StorePuzzleNow();
        break;
    case WM_QUERYENDSESSION:
        StorePuzzleNow();
        return TRUE;
    case WM_ENDSESSION:
        if (wParam) StorePuzzleNow();
        return 0;
    default:
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}
