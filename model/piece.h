#pragma once

#include <cstdint>

#include "model/list.h"

// One cell of the puzzle. Its mask (see mask.h) is worked out from the seams of its grid cell,
// which its id names; the mask's centre is the piece's table position.
struct Piece {
    ListItem links;  // never linked
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
