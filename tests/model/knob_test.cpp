#include "model/knob.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "model/geometry.h"
#include "model/random.h"

namespace {

using Mask = std::vector<unsigned char>;

// The pixels of `mask` that differ from `background`, as (column, row) pairs in mask order.
std::vector<std::pair<int, int>> Changed(const Mask& mask, unsigned char background) {
    std::vector<std::pair<int, int>> changed;
    for (int y = 0; y < g_maskSize; ++y) {
        for (int x = 0; x < g_maskSize; ++x) {
            if (mask[y * g_maskSize + x] != background) changed.emplace_back(x, y);
        }
    }
    return changed;
}

std::vector<std::pair<int, int>> Block(int x0, int x1, int y0, int y1) {
    std::vector<std::pair<int, int>> block;
    for (int y = y0; y <= y1; ++y) {
        for (int x = x0; x <= x1; ++x) block.emplace_back(x, y);
    }
    return block;
}

void UseCellSize(int cellSize) {
    g_cellSize = cellSize;
    FixGridGeometry();
}

}  // namespace

TEST(Knob, AtCell8AKnobPointingRightIsTwoColumnsWideWithAOneColumnSocket) {
    UseCellSize(8);  // m = 4, h = 2, S = 16
    Mask knob(16 * 16, 0);
    Mask socket(16 * 16, 255);

    // From state 0 the length draw is 4 + 786958079 × 2 / 2^31 = 4; the start is always 2.
    g_randomState = 0;
    AddKnob(Seam::LeftRight, knob.data(), 14, socket.data(), 2);
    EXPECT_EQ(Changed(knob, 0), Block(14, 15, 6, 9));
    EXPECT_EQ(Changed(socket, 255), Block(2, 2, 6, 9));

    // One step on, the length draw is 4 + 1526468270 × 2 / 2^31 = 5.
    g_randomState = 0;
    for (int i = 0; i < 3; ++i) NextRandom();
    const std::uint64_t threeSteps = g_randomState;
    knob.assign(16 * 16, 0);
    socket.assign(16 * 16, 255);
    g_randomState = 0;
    NextRandom();
    AddKnob(Seam::LeftRight, knob.data(), 14, socket.data(), 2);
    EXPECT_EQ(Changed(knob, 0), Block(14, 15, 6, 10));
    EXPECT_EQ(Changed(socket, 255), Block(2, 2, 6, 10));
    EXPECT_EQ(g_randomState, threeSteps);  // a knob takes two steps, even when the start has no choice
}

TEST(Knob, AtCell64AKnobPointingUpFillsSixteenRowsAndItsSocketFifteen) {
    UseCellSize(64);  // m = 32, h = 16, S = 128
    Mask knob(128 * 128, 0);
    Mask socket(128 * 128, 255);
    // From state 0: length 4 + 786958079 × 58 / 2^31 = 25, start 2 + 1526468270 × 35 / 2^31 = 26,
    // so the knob spans columns 32 + 26 = 58 … 82.
    g_randomState = 0;
    AddKnob(Seam::UpperLower, knob.data(), 0, socket.data(), 128 - 32 + 1);
    EXPECT_EQ(Changed(knob, 0), Block(58, 82, 0, 15));
    EXPECT_EQ(Changed(socket, 255), Block(58, 82, 97, 111));
}
