#pragma once

#include "model/mask.h"

// The two kinds of seam: between a left and a right piece the knob runs along mask rows and
// points sideways; between an upper and a lower piece it runs along mask columns.
enum class Seam : std::int32_t { LeftRight, UpperLower };

// Draws one seam's rectangular knob, m / 2 lines deep, whose socket on the other piece is
// m / 2 − 1 lines deep: its length, then its start along the seam, two steps of the generator.
SeamKnob DrawKnob(bool onSecond);
