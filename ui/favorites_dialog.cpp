#include "ui/favorites_dialog.h"

#include "model/random.h"
#include "shell/resource_ids.h"
#include "ui/cell_size_controls.h"
#include "ui/favorites.h"
#include "ui/picture_loading.h"

namespace {

LRESULT ListMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    return SendDlgItemMessageW(dialog, IDC_PATH, message, wParam, lParam);
}

// The list shows the favourites in their order; the current picture is selected when it is one
// of them (the first entry that begins with its path, whatever the case), else the first entry.
void FillList(HWND dialog) {
    ListMessage(dialog, CB_RESETCONTENT, 0, 0);
    for (ListItem* it = g_favorites.first; it != nullptr; it = it->next) {
        ListMessage(dialog, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(RecordOf<Favorite>(it)->path));
    }
    ListMessage(dialog, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(g_imagePath));
    if (ListMessage(dialog, CB_GETCURSEL, 0, 0) == CB_ERR) ListMessage(dialog, CB_SETCURSEL, 0, 0);
}

// Entries are favourites' paths, so each fits the path buffer; a longer text is not taken.
bool CopyEntry(HWND dialog, LRESULT index) {
    g_imagePath[0] = L'\0';
    const LRESULT length = ListMessage(dialog, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == CB_ERR || length >= kPathCapacity) return false;
    return ListMessage(dialog, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(g_imagePath)) != CB_ERR;
}

void LoadSelected(HWND dialog) {
    const LRESULT index = ListMessage(dialog, CB_GETCURSEL, 0, 0);
    if (index == CB_ERR) return;
    CopyEntry(dialog, index);
    LoadChosenPicture(dialog, false);
}

// With nothing to choose from, the picture in play stays.
void LoadRandom(HWND dialog) {
    const LRESULT count = ListMessage(dialog, CB_GETCOUNT, 0, 0);
    if (count <= 0) return;
    const std::int32_t index = RandomInRange(0, static_cast<std::int32_t>(count));
    CopyEntry(dialog, index);
    ListMessage(dialog, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    LoadChosenPicture(dialog, false);
}

Favorite* FavoriteAt(LRESULT index) {
    ListItem* it = g_favorites.first;
    for (LRESULT at = 0; it != nullptr && at < index; ++at) it = it->next;
    return it != nullptr ? RecordOf<Favorite>(it) : nullptr;
}

// The list holds the favourites in order, so an entry's index is the favourite's place.
void DeleteSelected(HWND dialog) {
    const LRESULT index = ListMessage(dialog, CB_GETCURSEL, 0, 0);
    Favorite* favorite = index == CB_ERR ? nullptr : FavoriteAt(index);
    if (favorite == nullptr) return;
    RemoveFavorite(favorite);
    ListMessage(dialog, CB_DELETESTRING, static_cast<WPARAM>(index), 0);
}

INT_PTR OnCommand(HWND dialog, WORD control, WORD notification) {
    if (control == IDC_PATH && (notification == CBN_SELCHANGE || notification == CBN_DBLCLK)) {
        LoadSelected(dialog);
        return FALSE;
    }
    if (notification != 0) return FALSE;
    switch (control) {
    case IDC_RANDOM:
        LoadRandom(dialog);
        return FALSE;
    case IDC_DELETE:
        DeleteSelected(dialog);
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

INT_PTR CALLBACK FavoritesDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    if (IsLoadingPicture() && (message == WM_COMMAND || message == WM_HSCROLL)) return FALSE;
    switch (message) {
    case WM_INITDIALOG:
        FillList(dialog);
        UpdateCellSizeControls(dialog);
        return TRUE;
    case WM_COMMAND:
        return OnCommand(dialog, LOWORD(wParam), HIWORD(wParam));
    case WM_HSCROLL:
        OnCellSizeScroll(dialog, wParam);
        return FALSE;
    default:
        return FALSE;
    }
}
