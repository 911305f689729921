#pragma once

#include <cstdint>

#include "model/group.h"

// The top-most group with a piece whose square of side g_pitch, centred on the piece's table
// position, holds the point strictly inside; null when there is none. The mask is not consulted:
// knob tips outside the square do not pick, socket gaps inside it do.
Group* PickGroup(std::int32_t x, std::int32_t y);
