#pragma once

#include <windows.h>

// The keys and the left mouse button of the main window. Each ends with the window's redraw.

// Space, Home, the arrows, Insert, Delete, 1 and 2; every other key only reaches the default
// procedure.
LRESULT OnKeyDown(HWND window, WPARAM wParam, LPARAM lParam);

// Grabs the top-most group under the pointer, if any, and holds the mouse until the drop.
LRESULT OnButtonDown(HWND window, WPARAM wParam, LPARAM lParam);
// Moves the held group with the pointer.
LRESULT OnMouseMove(HWND window, WPARAM wParam, LPARAM lParam);
// Drops the held group, joining it to every group it now fits.
LRESULT OnButtonUp(HWND window, WPARAM wParam, LPARAM lParam);
// Another window took the mouse (Alt+Tab, a message box) while a group was held: it is dropped
// where it was last moved to, as if the button had been released there.
LRESULT OnCaptureLost(HWND window, WPARAM wParam, LPARAM lParam);

// The table point under a pointer position given in window pixels, y growing downward.
void PointerToTable(int x, int y, double* tableX, double* tableY);
