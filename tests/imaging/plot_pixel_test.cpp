#include "imaging/plot_pixel.h"

#include <gtest/gtest.h>

#include "test_pictures.h"

namespace {

Colour Rgbt(int red, int green, int blue, int transparency) {
    Colour colour;
    colour.red = static_cast<std::uint8_t>(red);
    colour.green = static_cast<std::uint8_t>(green);
    colour.blue = static_cast<std::uint8_t>(blue);
    colour.transparency = static_cast<std::uint8_t>(transparency);
    return colour;
}

std::string Blended(std::uint8_t red, std::uint8_t green, std::uint8_t blue, const Colour& colour) {
    std::uint8_t pixel[3] = {red, green, blue};
    BlendColour(pixel, colour);
    return std::to_string(pixel[0]) + " " + std::to_string(pixel[1]) + " " + std::to_string(pixel[2]);
}

}  // namespace

TEST(BlendColour, TransparencyWeighsTheOldPixelAgainstTheNewColour) {
    EXPECT_EQ(Blended(9, 9, 9, Rgbt(10, 20, 30, 0)), "10 20 30");
    EXPECT_EQ(Blended(9, 80, 250, Rgbt(10, 20, 30, 255)), "9 80 250");
    // (0 × 128 + 255 × 127) / 255 = 127; (255 × 128 + 0) / 255 = 128;
    // (100 × 128 + 200 × 127) / 255 = 149.8.
    EXPECT_EQ(Blended(0, 255, 100, Rgbt(255, 0, 200, 128)), "127 128 149");
    // (100 × 64 + 200 × 191) / 255 = 174.9.
    EXPECT_EQ(Blended(100, 100, 100, Rgbt(200, 200, 200, 64)), "174 174 174");
}

TEST(PlotPixel, BlendsIntoThePixelCountedFromTheBottomLeft) {
    Canvas canvas;
    SizeCanvas(&canvas, 4, 3);
    LockHold render(&canvas.renderLock);
    PlotPixel(&canvas, 1, 2, Rgbt(10, 20, 30, 0));
    EXPECT_EQ(canvas.pixels[(2 * 4 + 1) * 3 + 0], 10);
    EXPECT_EQ(canvas.pixels[(2 * 4 + 1) * 3 + 1], 20);
    EXPECT_EQ(canvas.pixels[(2 * 4 + 1) * 3 + 2], 30);
    PlotPixel(&canvas, 1, 2, Rgbt(255, 255, 255, 128));
    EXPECT_EQ(CanvasRgb(canvas, 1, 2), "132 137 142");  // (10 × 128 + 255 × 127) / 255 = 132.02 …
    EXPECT_EQ(CanvasRgb(canvas, 2, 2), "0 0 0");
    EXPECT_EQ(CanvasRgb(canvas, 1, 1), "0 0 0");
}
