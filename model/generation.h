#pragma once

// Cuts the loaded picture into a new puzzle: fixes the grid geometry from g_cellSize, fits the
// table, sends the view home, gives every cell a piece in a group of its own at a random place,
// and cuts every seam with a knob. Any puzzle still in play is cleared first, since its masks
// have the old geometry. The draws follow a fixed order, so a seed, a picture size and a cell
// size always give the same puzzle. False, with nothing changed, when no picture is loaded or
// the grid is too large for 32-bit piece ids; false with no puzzle left when memory for the
// pieces runs short. A picture smaller than one pitch gives an empty puzzle and true.
bool GeneratePuzzle();
