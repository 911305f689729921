#include "model/knob.h"

#include "model/geometry.h"
#include "model/mask.h"
#include "model/random.h"

void AddKnob(Seam seam, unsigned char* knobMask, std::int32_t knobLine, unsigned char* socketMask, std::int32_t socketLine) {
    const std::int32_t c = g_cellSize;
    const std::int32_t m = g_margin;
    const std::int32_t h = m / 2;
    const std::int32_t length = RandomInRange(4, c - 2);
    const std::int32_t start = m + RandomInRange(2, c - length - 2);
    if (seam == Seam::LeftRight) {
        FillMaskRect(knobMask, knobLine, start, h, length, 255);
        FillMaskRect(socketMask, socketLine, start, h - 1, length, 0);
    } else {
        FillMaskRect(knobMask, start, knobLine, length, h, 255);
        FillMaskRect(socketMask, start, socketLine, length, h - 1, 0);
    }
}
