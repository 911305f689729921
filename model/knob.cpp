#include "model/knob.h"

#include "model/geometry.h"
#include "model/random.h"

static_assert(kLargestCellSize - 2 < (1 << 15), "a knob's length fits the bits a seam keeps it in");

SeamKnob DrawKnob(bool onSecond) {
    const std::int32_t c = g_cellSize;
    const std::int32_t length = RandomInRange(4, c - 2);
    const std::int32_t start = g_margin + RandomInRange(2, c - length - 2);
    SeamKnob knob{};
    knob.start = static_cast<std::uint16_t>(start);
    knob.length = static_cast<std::uint16_t>(length);
    knob.onSecond = onSecond ? 1 : 0;
    return knob;
}
