#pragma once

#include <cstdint>

// The two kinds of seam: between a left and a right piece the knob runs along mask rows and
// points sideways; between an upper and a lower piece it runs along mask columns.
enum class Seam : std::int32_t { LeftRight, UpperLower };

// Draws one seam's rectangular knob into `knobMask` and the matching socket into `socketMask`,
// both g_maskSize square. The knob fills m / 2 lines from `knobLine` on; the socket clears the
// m / 2 − 1 lines from `socketLine` on. Lines are mask columns for a left-right seam and mask rows
// for an upper-lower one. Draws the knob's length, then its start along the seam: two steps of
// the generator.
void AddKnob(Seam seam, unsigned char* knobMask, std::int32_t knobLine, unsigned char* socketMask, std::int32_t socketLine);
