#pragma once

#include "progress/puzzle_record.h"

// Fills the record's arrangement (table, view, grey, scale and groups) from the puzzle in play.
// The caller has filled in where the puzzle was cut from: path, identity, cell size, seed, rows and
// columns. A held group is recorded where it is drawn, and a group thrown further than a table's
// width or height beyond the table is recorded at that distance, so that every record written
// can be read back. False, with nothing to store, when the puzzle in play is not that cut (it
// holds another number of pieces) or memory is short.
bool CapturePuzzle(PuzzleRecord* record);

// True when every member id names a piece of the rows × columns grid, each exactly once, and the
// groups account for every piece.
bool MembersValid(const PuzzleRecord& record);

// Cuts g_sourceImage again exactly as the record's cut did, then arranges groups, table, view,
// grey and scale as recorded. The live generator state and g_cellSize are kept. False, with no puzzle left, when
// the picture does not give the recorded grid, the record does not fit it, or memory is short.
bool RestorePuzzle(const PuzzleRecord& record);

// One group holds every piece, and there is more than one.
bool PuzzleSolved();
