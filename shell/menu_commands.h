#pragma once

#include <windows.h>

// "Load Image..." and "Favorites..." open their dialogs and redraw the resting groups when the
// dialog changed the picture; "Exit" closes the program.
LRESULT OnMenuCommand(HWND window, WORD command, LPARAM lParam);
