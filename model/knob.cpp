#include "model/knob.h"

#include <cstddef>
#include <cstring>

#include "model/geometry.h"
#include "model/mask.h"
#include "model/random.h"

void AddKnob(Seam seam, unsigned char* knobMask, std::int32_t knobLine, unsigned char* socketMask, std::int32_t socketLine) {
    const std::int32_t c = g_cellSize;
    const std::int32_t m = g_margin;
    const std::int32_t h = m / 2;
    const std::int32_t length = RandomInRange(4, c - 2);
    const std::int32_t start = m + RandomInRange(2, c - length - 2);
    const auto depth = static_cast<std::size_t>(h);
    if (seam == Seam::LeftRight) {
        for (std::int32_t y = start; y < start + length; ++y) {
            std::memset(MaskRow(knobMask, y) + knobLine, 255, depth);
            std::memset(MaskRow(socketMask, y) + socketLine, 0, depth - 1);
        }
        return;
    }
    for (std::int32_t i = 0; i < h; ++i) {
        std::memset(MaskRow(knobMask, knobLine + i) + start, 255, static_cast<std::size_t>(length));
    }
    for (std::int32_t i = 0; i + 1 < h; ++i) {
        std::memset(MaskRow(socketMask, socketLine + i) + start, 0, static_cast<std::size_t>(length));
    }
}
