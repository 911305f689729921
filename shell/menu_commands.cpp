#include "shell/menu_commands.h"

#include "render/compose_frame.h"
#include "shell/main_window.h"
#include "shell/resource_ids.h"
#include "shell/start_up.h"
#include "ui/favorites_dialog.h"
#include "ui/load_image_dialog.h"

namespace {

// OK built a new puzzle; Cancel may have replaced the picture and cleared the old puzzle, so the
// screen is rebuilt then too rather than left showing pieces that no longer exist (when nothing
// changed, the same frame is drawn again).
LRESULT RunDialog(HWND window, int resource, DLGPROC procedure, WPARAM wParam, LPARAM lParam) {
    const INT_PTR result = DialogBoxParamW(g_instance, MAKEINTRESOURCEW(resource), window, procedure, 0);
    if (result == IDOK || result == IDCANCEL) {
        return Redraw(window, WM_COMMAND, wParam, lParam, kRestingGroupsChanged);
    }
    return DefWindowProcW(window, WM_COMMAND, wParam, lParam);
}

}  // namespace

LRESULT OnMenuCommand(HWND window, WORD command, LPARAM lParam) {
    const WPARAM wParam = MAKEWPARAM(command, 0);
    switch (command) {
    case IDM_LOAD_IMAGE:
        return RunDialog(window, IDD_LOAD_IMAGE, LoadImageDialogProc, wParam, lParam);
    case IDM_FAVORITES:
        return RunDialog(window, IDD_FAVORITES, FavoritesDialogProc, wParam, lParam);
    case IDM_EXIT:
        // Leaving through the menu is closing the window: whatever closing keeps, Exit keeps too.
        SendMessageW(window, WM_CLOSE, 0, 0);
        break;
    default:
        break;
    }
    return DefWindowProcW(window, WM_COMMAND, wParam, lParam);
}
