#pragma once

#include <cstdint>

#include "model/list.h"

// One cell of the puzzle. Its mask is g_maskSize × g_maskSize bytes, row 0 first, 255 where the
// pixel belongs to the piece and 0 elsewhere; the mask's centre is the piece's table position.
struct Piece {
    ListItem links;  // never linked
    unsigned char* mask = nullptr;
    std::int32_t id = 0;
    std::int32_t rightId = 0;
    std::int32_t downId = 0;
    std::int32_t leftId = 0;
    std::int32_t upId = 0;
    std::int32_t homeX = 0;
    std::int32_t homeY = 0;
    std::int32_t offsetX = 0;
    std::int32_t offsetY = 0;
};

// A piece's membership in a group; the link does not own the piece.
struct PieceLink {
    ListItem links;
    Piece* piece = nullptr;
};
