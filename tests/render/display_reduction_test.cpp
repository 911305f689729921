#include "render/display_reduction.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

// The reduction takes whole groups of pixels at once where the processor allows and finishes each
// row pixel by pixel; every display pixel must still be its block's truncated mean, blue first,
// at each scale and on rows of many lengths, whatever stretch of a row it falls in.
TEST(ReduceToDisplay, EveryDisplayPixelIsItsBlocksTruncatedMeanBlueFirst) {
    for (const std::int32_t scale : {1, 2, 3}) {
        for (const std::int32_t displayWidth : {4, 8, 12, 20, 64, 100}) {
            const std::int32_t displayHeight = 3;
            const std::int32_t width = displayWidth * scale;
            std::vector<std::uint8_t> pixels(static_cast<std::size_t>(width) * displayHeight * scale * 3);
            std::uint32_t state = 99;
            for (std::uint8_t& byte : pixels) {
                state = state * 1664525u + 1013904223u;
                byte = static_cast<std::uint8_t>(state >> 24);
            }
            std::vector<std::uint8_t> display(static_cast<std::size_t>(displayWidth) * displayHeight * 3 + 1, 7);
            ReduceToDisplay(pixels.data(), width, scale, displayWidth, displayHeight, display.data());
            for (std::int32_t at = 0; at < displayWidth * displayHeight * 3; ++at) {
                const std::int32_t j = at / 3 % displayWidth;
                const std::int32_t i = at / 3 / displayWidth;
                int sum = 0;
                for (std::int32_t r = 0; r < scale; ++r) {
                    for (std::int32_t c = 0; c < scale; ++c)
                        sum += pixels[((i * scale + r) * width + j * scale + c) * 3 + 2 - at % 3];
                }
                ASSERT_EQ(display[at], sum / (scale * scale))
                    << "scale " << scale << ", width " << displayWidth << ", byte " << at;
            }
            EXPECT_EQ(display.back(), 7) << "written past the display image";
        }
    }
}
