#include "ui/load_image_dialog.h"

#include <new>

#include "loaders/source_image.h"
#include "shell/resource_ids.h"
#include "ui/cell_size_controls.h"
#include "ui/choose_image_file.h"
#include "ui/favorites.h"
#include "ui/picture_loading.h"

namespace {

// A cancelled file dialog changes nothing: the path and the picture stay as they were.
void SelectImageFile(HWND dialog) {
    wchar_t chosen[kPathCapacity] = {};
    if (!ChooseImageFile(dialog, chosen)) return;
    CopyPath(g_imagePath, chosen);
    LoadChosenPicture(dialog, true);
}

void AddToFavorites() {
    if (g_sourceImage == nullptr) return;
    Favorite* favorite = new (std::nothrow) Favorite;
    if (favorite == nullptr) return;
    CopyPath(favorite->path, g_imagePath);
    AddFavorite(favorite);
}

INT_PTR OnCommand(HWND dialog, WORD control) {
    switch (control) {
    case IDC_SELECT_IMAGE:
        SelectImageFile(dialog);
        return FALSE;
    case IDC_ADD_FAVORITE:
        AddToFavorites();
        return FALSE;
    case IDOK:
    case IDCANCEL:
        OnDialogButton(dialog, control);
        return TRUE;
    default:
        return FALSE;
    }
}

}  // namespace

INT_PTR CALLBACK LoadImageDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    if (IsLoadingPicture() && (message == WM_COMMAND || message == WM_HSCROLL)) return FALSE;
    switch (message) {
    case WM_INITDIALOG:
        SetDlgItemTextW(dialog, IDC_PATH, g_imagePath);
        UpdateCellSizeControls(dialog);
        return TRUE;
    case WM_COMMAND:
        return HIWORD(wParam) == 0 ? OnCommand(dialog, LOWORD(wParam)) : FALSE;
    case WM_HSCROLL:
        OnCellSizeScroll(dialog, wParam);
        return FALSE;
    default:
        return FALSE;
    }
}
