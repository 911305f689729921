#pragma once

#include <windows.h>

// The "Load Image" dialog: choose a picture and a cell size, keep the picture as a favourite, and
// cut it into a new puzzle with OK.
INT_PTR CALLBACK LoadImageDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
