#pragma once

#include "model/list.h"
#include "render/canvas.h"

// The pan and zoom between the canvas and the table. `toTable` maps a canvas offset from the
// canvas centre to a table offset from the table centre; `toCanvas` is its inverse. Both are
// row-major 3 × 3 matrices whose last row stays (0, 0, 1): the view only scales uniformly and
// moves, it never rotates or shears.
struct View {
    ListItem links;          // never linked
    Canvas* canvas = nullptr;  // not owned
    double toTable[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
    double toCanvas[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
    double tableWidth = 1.0;  // table units
    double tableHeight = 1.0;

    View();
    ~View();
    View(const View&) = delete;
    View& operator=(const View&) = delete;

    // Takes the table's extent (its sign dropped; 0 means the display size) and goes home.
    void SetTableExtent(double width, double height);
    // The whole table, centred.
    void Home();
    // Moves the picture by fractions of the canvas size: what was at s is afterwards at
    // s − (fx × width, fy × height).
    void Pan(double fx, double fy);
    // Scales about the canvas centre: factors above 1 zoom out, below 1 zoom in.
    void Zoom(double factor);
    // Maps a canvas position (working pixels from the bottom left) to the table; false without
    // a canvas.
    bool CanvasToTable(double sx, double sy, double* tx, double* ty) const;
    // Takes the first two rows of a stored toTable (the third is always 0, 0, 1); false, with the
    // view as it was, for one that the view would never have reached.
    bool SetTransform(const double rows[2][3]);
    void UpdateInverse();
};

// Whether the first two rows of a toTable only scale uniformly and move, as every view does.
bool IsViewTransform(const double rows[2][3]);

extern View* g_view;
