#pragma once

#include <windows.h>

#include "platform/path.h"

// The path of the current picture: shown in the Load Image dialog, added to the favourites and
// preselected in the Favorites list. Empty until a picture is chosen.
extern wchar_t g_imagePath[kPathCapacity];

// Replaces the picture with the one at g_imagePath. The old puzzle is cleared whatever the
// outcome. On success the cell-size controls follow the new picture (and `pathBox`, when there
// is one, shows its path); on failure the player is told and there is no picture.
bool LoadChosenPicture(HWND dialog, bool pathBox);

// OK and Cancel of both dialogs. OK cuts the picture into a new puzzle and closes the dialog;
// when the picture cannot be cut at this cell size, the player is told and the dialog stays.
// Cancel closes it, keeping whatever picture was chosen.
void OnDialogButton(HWND dialog, int button);
