#pragma once

#include "model/mask.h"

// Draws one seam's rectangular knob, m / 2 lines deep, whose socket on the other piece is
// m / 2 − 1 lines deep: its length, then its start along the seam, two steps of the generator.
SeamKnob DrawKnob(bool onSecond);
