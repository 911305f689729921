#pragma once

#include <windows.h>

// The cell-size scroll bar and the pieces label, which both dialogs carry under the same ids.

// Sets the scroll bar's range, page and position and the label from the picture and g_cellSize,
// first bringing g_cellSize into the picture's range; without a picture both are emptied.
void UpdateCellSizeControls(HWND dialog);

// Follows the scroll bar into g_cellSize and the label; ignored while there is no picture.
void OnCellSizeScroll(HWND dialog, WPARAM wParam);
