#include "imaging/plot_pixel.h"

#include <cstddef>

void PlotPixel(Canvas* canvas, std::int32_t x, std::int32_t y, const Colour& colour) {
    LockHold render(&canvas->renderLock);
    if (canvas->pixels == nullptr || canvas->bytesPerPixel < 3) return;
    if (x < 0 || y < 0 || x >= canvas->width || y >= canvas->height) return;
    const std::size_t at = (static_cast<std::size_t>(y) * static_cast<std::size_t>(canvas->width) + static_cast<std::size_t>(x)) *
                           static_cast<std::size_t>(canvas->bytesPerPixel);
    BlendColour(canvas->pixels + at, colour);
}
