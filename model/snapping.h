#pragma once

#include <cstdint>

#include "model/group.h"

// Whether some piece of the dropped group lies close beside the piece of the resting group that
// belongs next to it: within one pitch plus the tolerance of a quarter pitch along the seam, and
// less than the tolerance across it. When it does, (*correctionX, *correctionY) moves the
// dropped group so that piece sits exactly one pitch away on the right side; otherwise the
// outputs are left alone. Pairs are tried resting piece by resting piece, and the column test
// before the row test; the first pair that passes decides.
bool FindFit(const Group* resting, const Group* dropped, std::int32_t* correctionX, std::int32_t* correctionY);
