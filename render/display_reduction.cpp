#include "render/display_reduction.h"

#include <cstddef>

#include "render/byte_shuffle_rows.h"

namespace {

// Pixel order flips from red first to blue first, as the display bitmap expects.
void CopyReversed(const std::uint8_t* pixels, std::size_t first, std::size_t pixelCount, std::uint8_t* display) {
    for (std::size_t at = first * 3; at < pixelCount * 3; at += 3) {
        display[at] = pixels[at + 2];
        display[at + 1] = pixels[at + 1];
        display[at + 2] = pixels[at];
    }
}

// The scale is a constant here so that the block loops unroll and the division by the block's
// area becomes a multiplication. A channel sum is at most 81 × 255, within 16 bits, so the
// wider accumulators below give the same means as 16-bit ones without narrowing every step.
template <int Scale>
void ReduceBlockRow(const std::uint8_t* blockRow, std::size_t rowBytes, std::int32_t first,
                    std::int32_t displayWidth, std::uint8_t* out) {
    constexpr int kArea = Scale * Scale;
    for (std::int32_t j = first; j < displayWidth; ++j) {
        unsigned red = 0;
        unsigned green = 0;
        unsigned blue = 0;
        for (int r = 0; r < Scale; ++r) {
            const std::uint8_t* p = blockRow + r * rowBytes + static_cast<std::size_t>(j) * Scale * 3;
            for (int c = 0; c < Scale * 3; c += 3) {
                red += p[c];
                green += p[c + 1];
                blue += p[c + 2];
            }
        }
        out[j * 3] = static_cast<std::uint8_t>(blue / kArea);
        out[j * 3 + 1] = static_cast<std::uint8_t>(green / kArea);
        out[j * 3 + 2] = static_cast<std::uint8_t>(red / kArea);
    }
}

template <int Scale>
void ReduceBlocks(const std::uint8_t* pixels, std::size_t rowBytes, std::int32_t displayWidth,
                  std::int32_t displayHeight, std::uint8_t* display, bool shuffles) {
    for (std::int32_t i = 0; i < displayHeight; ++i) {
        const std::uint8_t* blockRow = pixels + static_cast<std::size_t>(i) * Scale * rowBytes;
        std::uint8_t* out = display + static_cast<std::size_t>(i) * displayWidth * 3;
        std::int32_t first = 0;
        if constexpr (Scale == 2) {
            if (shuffles) first = ReducePairShuffled(blockRow, rowBytes, displayWidth, out);
        }
        ReduceBlockRow<Scale>(blockRow, rowBytes, first, displayWidth, out);
    }
}

}  // namespace

void ReduceToDisplay(const std::uint8_t* pixels, std::int32_t width, std::int32_t scale,
                     std::int32_t displayWidth, std::int32_t displayHeight, std::uint8_t* display) {
    static const bool shuffles = HasByteShuffles();
    const std::size_t rowBytes = static_cast<std::size_t>(width) * 3;
    const std::size_t pixelCount = static_cast<std::size_t>(displayWidth) * displayHeight;
    switch (scale) {
    case 1: {
        // At scale 1 the rows follow one another without a gap in both images: one long row.
        std::size_t first = 0;
        if (shuffles && pixelCount <= INT32_MAX)
            first = static_cast<std::size_t>(ReverseShuffled(pixels, static_cast<std::int32_t>(pixelCount), display));
        CopyReversed(pixels, first, pixelCount, display);
        break;
    }
    case 2: ReduceBlocks<2>(pixels, rowBytes, displayWidth, displayHeight, display, shuffles); break;
    case 3: ReduceBlocks<3>(pixels, rowBytes, displayWidth, displayHeight, display, shuffles); break;
    case 4: ReduceBlocks<4>(pixels, rowBytes, displayWidth, displayHeight, display, shuffles); break;
    case 5: ReduceBlocks<5>(pixels, rowBytes, displayWidth, displayHeight, display, shuffles); break;
    case 6: ReduceBlocks<6>(pixels, rowBytes, displayWidth, displayHeight, display, shuffles); break;
    case 7: ReduceBlocks<7>(pixels, rowBytes, displayWidth, displayHeight, display, shuffles); break;
    case 8: ReduceBlocks<8>(pixels, rowBytes, displayWidth, displayHeight, display, shuffles); break;
    case 9: ReduceBlocks<9>(pixels, rowBytes, displayWidth, displayHeight, display, shuffles); break;
    default: break;
    }
}
