#include "ui/choose_image_file.h"

#include <commdlg.h>

bool ChooseImageFile(HWND owner, wchar_t* path) {
    OPENFILENAMEW dialog = {};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = owner;
    // One pair: the name, then the patterns; the list ends with an empty string.
    dialog.lpstrFilter = L"Image Files\0*.jpg;*.tif;*.gif;*.fit;*.bmp\0";
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = path;
    // Four characters short of the buffer, as the dialog has always been given.
    dialog.nMaxFile = 256;
    dialog.Flags = OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST | OFN_LONGNAMES;
    return GetOpenFileNameW(&dialog) != FALSE;
}
