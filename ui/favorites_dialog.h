#pragma once

#include <windows.h>

// The "Favorites" dialog: start a puzzle from a favourite picture, chosen from the list or at
// random, at a chosen cell size; "Delete" drops the selected favourite.
INT_PTR CALLBACK FavoritesDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
