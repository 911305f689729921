#pragma once

#include <windows.h>

#include "platform/path.h"

// The path of the current picture: shown in the Load Image dialog, added to the favourites and
// preselected in the Favorites list. Empty until a picture is chosen.
extern wchar_t g_imagePath[kPathCapacity];

// Replaces the picture with the one at g_imagePath. The old puzzle is cleared whatever the
// outcome. On success the cell-size controls follow the new picture (and `pathBox`, when there
// is one, shows its path); on failure the player is told and there is no picture. Refused, false,
// while another load is under way.
bool LoadChosenPicture(HWND dialog, bool pathBox);

// True from the start of a load to its end, its messages included. A reader's message box runs a
// loop of its own that goes on dispatching the dialog's messages; a command acted on there could
// free the picture the load is still filling, or close the dialog under it, so the dialogs take
// none until the load is over.
bool IsLoadingPicture();

// OK and Cancel of both dialogs. OK cuts the picture into a new puzzle and closes the dialog;
// when the picture cannot be cut at this cell size, the player is told and the dialog stays.
// Cancel closes it, keeping whatever picture was chosen.
void OnDialogButton(HWND dialog, int button);
