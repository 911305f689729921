#pragma once

#include <cstdint>

#include "model/list.h"
#include "model/piece.h"

// Pieces that move as one. A piece sits on the table at (x + offsetX, y + offsetY); the held
// group adds its drag offset as well.
struct Group {
    ListItem links;
    List members;  // of PieceLink, owned by the group
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t dragDX = 0;
    std::int32_t dragDY = 0;
};

// Every group of the puzzle in drawing order: `first` at the bottom, `last` on top.
extern List g_groups;
extern Group* g_draggedGroup;

// Frees the group's member links (not their pieces) and unlinks it; the caller frees the group.
void DestroyGroup(Group* group);

// Frees every group, link, piece and mask of the puzzle.
void ClearPuzzle();

// Moves the group to the truncated mean of its members' offsets without moving any piece.
void RecentreGroup(Group* group);

// Grabbed groups rise to the top of the drawing order; joined groups sink to the bottom.
void RaiseGroup(Group* group);
void LowerGroup(Group* group);
