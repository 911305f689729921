#include "render/display_reduction.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

// The reduction takes whole groups of pixels at once where the processor allows and finishes each
// row pixel by pixel; every display pixel must still be its block's truncated mean, blue first,
// at each scale and on rows of many lengths, whatever stretch of a row it falls in.
TEST(ReduceToDisplay, EveryDisplayPixelIsItsBlocksTruncatedMeanBlueFirst) {
    for (const std::int32_t scale : {1, 2, 3}) {
        for (const std::int32_t width : {4, 8, 12, 20, 64, 100}) {  // display pixels a row, of 3 rows
            std::vector<std::uint8_t> pixels(width * scale * scale * 9);
            for (std::size_t i = 0; i < pixels.size(); ++i) pixels[i] = static_cast<std::uint8_t>(i * 89 % 251);
            std::vector<std::uint8_t> display(width * 9 + 1, 7);
            ReduceToDisplay(pixels.data(), width * scale, scale, width, 3, display.data());
            for (std::int32_t at = 0; at < width * 9; ++at) {
                // Display byte `at` is channel 2 − at % 3 of the working pixels of its block.
                const std::int32_t corner = (at / 3 / width * scale * width + at / 3 % width) * scale;
                int sum = 0;
                for (std::int32_t r = 0; r < scale * scale; ++r)
                    sum += pixels[(corner + r / scale * width * scale + r % scale) * 3 + 2 - at % 3];
                ASSERT_EQ(display[at], sum / (scale * scale))
                    << "scale " << scale << ", width " << width << ", byte " << at;
            }
            EXPECT_EQ(display.back(), 7) << "written past the display image";
        }
    }
}
