#pragma once

#include <cstdint>

#include "model/group.h"

// A rectangle of window pixels, kept here rather than as the platform's own record so that the
// core never needs windows.h.
struct PixelRect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
};

// The main window's client rectangle as last read by the window procedure.
extern PixelRect g_clientRect;

// The play area in picture pixels: the window's shape, one eighth larger than the smallest such
// area that holds the picture. Groups are scattered inside it.
extern std::int32_t g_tableWidth;
extern std::int32_t g_tableHeight;

// Puts the group at a random place at least one pitch inside the table: x is drawn, then y.
void PlaceGroupAtRandom(Group* group);

// Fits the table to the picture and the window, hands it to the view (when there is one), and
// brings back every group that now lies beyond its far edges. A client area without width or
// height (a minimised window) changes nothing.
void FitTable();
