#include <cstdint>

#include "model/table.h"
#include "render/canvas.h"
#include "render/compose_frame.h"
#include "render/view.h"
#include "shell/main_window.h"
#include "shell/window_input.h"
#include "ui/contrast_stretch_choice.h"

namespace {

// The canvas is rebuilt at the chosen scale even when the scale does not change.
void ChooseScale(std::int16_t scale) {
    g_pixelScale = scale;
    g_canvas->Resize(g_clientRect.right, g_clientRect.bottom, scale);
    FitTable();
}

// False for a key the window does not use.
bool ApplyKey(WPARAM key) {
    switch (key) {
    case VK_SPACE:  // 128, 192, 0, 64, 128, ...
        g_backgroundGrey = static_cast<std::int16_t>((g_backgroundGrey + 64) & 255);
        return true;
    case VK_HOME:
        g_view->Home();
        return true;
    case VK_LEFT:
        g_view->Pan(-0.125, 0);
        return true;
    case VK_UP:
        g_view->Pan(0, 0.125);
        return true;
    case VK_RIGHT:
        g_view->Pan(0.125, 0);
        return true;
    case VK_DOWN:
        g_view->Pan(0, -0.125);
        return true;
    case VK_INSERT:
        g_view->Zoom(1.25);
        return true;
    case VK_DELETE:
        g_view->Zoom(0.8);
        return true;
    case '1':
        ChooseScale(1);
        return true;
    case '2':
        ChooseScale(2);
        return true;
    case 'C':  // the contrast stretch of scientific pictures, on or off
        ToggleContrastStretch();
        return true;
    default:
        return false;
    }
}

}  // namespace

LRESULT OnKeyDown(HWND window, WPARAM wParam, LPARAM lParam) {
    if (!ApplyKey(wParam)) return DefWindowProcW(window, WM_KEYDOWN, wParam, lParam);
    return Redraw(window, WM_KEYDOWN, wParam, lParam, kDraggedGroupMoved | kRestingGroupsChanged);
}
