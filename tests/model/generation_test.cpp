#include "model/generation.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "model/knob.h"
#include "model/mask.h"
#include "puzzle_fixture.h"

namespace {

using Mask = std::vector<unsigned char>;

struct Rect {
    int left, top, columns, rows;  // mask columns and rows
    unsigned char value;
};

std::size_t MaskBytes() { return static_cast<std::size_t>(g_maskSize) * static_cast<std::size_t>(g_maskSize); }

// A mask of g_maskSize squared bytes, all `start`, with the rectangles painted over it in order.
Mask Painted(unsigned char start, const std::vector<Rect>& rects) {
    Mask mask(MaskBytes(), start);
    for (const Rect& r : rects) {
        for (int at = 0; at < r.columns * r.rows; ++at) mask[(r.top + at / r.columns) * g_maskSize + r.left + at % r.columns] = r.value;
    }
    return mask;
}

// A piece's mask as bytes: 255 over the runs of every row.
Mask Expanded(const Piece& piece) {
    const MaskShape shape = ShapeOf(piece);
    Mask mask(MaskBytes(), 0);
    for (int row = 0; row < g_maskSize; ++row) {
        MaskRun runs[2];
        const int count = MaskRowRuns(shape, row, runs);
        for (int r = 0; r < count; ++r) {
            for (int x = runs[r].first; x < runs[r].end; ++x) mask[row * g_maskSize + x] = 255;
        }
    }
    return mask;
}

}  // namespace

// The draws 786958079 and 1526468270 are about 0.366 and 0.711 of 2^31. Cell 8 (m 4): length
// 4 + 0, start 4 + 2 + 0 = 6. Cell 64 (m 32): length 4 + 21 (58 × 0.366), start 32 + 2 + 24
// (35 × 0.711) = 58.
TEST_F(PuzzleTest, FromStateZeroAKnobIsDrawnLengthFirst) {
    const struct { int cellSize; bool onSecond; int start, length; } cases[] = {{8, true, 6, 4}, {64, false, 58, 25}};
    for (const auto& c : cases) {
        g_cellSize = c.cellSize;
        FixGridGeometry();
        g_randomState = 0;
        const SeamKnob knob = DrawKnob(c.onSecond);
        EXPECT_EQ(std::vector({int{knob.start}, int{knob.length}, int{knob.onSecond}}), std::vector({c.start, c.length, int{c.onSecond}}))
            << "cell " << c.cellSize;
    }
}

// A 22 × 22 picture at cell 8 (margin 4, pitch 11, mask 16) in an 800 × 600 window: a table of
// 33 × 24, x drawn in 11 … 21 and y in 11 … 12, pieces 0 1 in the first row and 2 3 in the second.
// Every seam clears two lines on both sides; the knob gives them back along lines 6 … 5 + length
// (length 4 or 5, its start always 4 + 2) and the socket clears one line beside the knob's strip.
// The side draws, left-right seams first: from seed 0, 51 (the right or lower piece carries the
// knob), 141, 244 and 169 (the left or upper one); from seed 64, 127, 57, 22 and 118 (all the
// right or lower one, 127 the largest that still gives it so).
TEST_F(PuzzleTest, EveryPieceLiesAndIsCutAsTheDrawsFromTheSeedSay) {
    const Rect clearRight{14, 0, 2, 16, 0}, clearLeft{0, 0, 2, 16, 0}, clearTop{0, 14, 16, 2, 0}, clearBottom{0, 0, 16, 2, 0};
    const struct { std::uint64_t seed; std::vector<std::pair<int, int>> positions; std::vector<Rect> masks[4]; } cuts[] = {
        {0, {{15, 12}, {12, 11}, {21, 11}, {19, 11}},
         {{clearRight, {13, 6, 1, 4, 0}, clearTop, {6, 14, 5, 2, 255}}, {clearLeft, {0, 6, 2, 4, 255}, clearTop, {6, 14, 5, 2, 255}},
          {clearRight, {14, 6, 2, 5, 255}, clearBottom, {6, 2, 5, 1, 0}}, {clearLeft, {2, 6, 1, 5, 0}, clearBottom, {6, 2, 5, 1, 0}}}},
        {64, {{13, 11}, {14, 11}, {17, 11}, {18, 12}},
         {{clearRight, {13, 6, 1, 5, 0}, clearTop, {6, 13, 5, 1, 0}}, {clearLeft, {0, 6, 2, 5, 255}, clearTop, {6, 13, 4, 1, 0}},
          {clearRight, {13, 6, 1, 4, 0}, clearBottom, {6, 0, 5, 2, 255}}, {clearLeft, {0, 6, 2, 4, 255}, clearBottom, {6, 0, 4, 2, 255}}}}};
    g_cellSize = 8;
    UsePicture(22, 22);
    // One cut follows the other in the same puzzle, so nothing but the seed may carry over.
    for (const auto& cut : cuts) {
        g_randomState = cut.seed;
        ASSERT_TRUE(GeneratePuzzle());
        const std::vector<Group*> groups = Groups();
        ASSERT_EQ(groups.size(), 4u);
        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(std::pair(groups[i]->x, groups[i]->y), cut.positions[i]) << "seed " << cut.seed << ", piece " << i;
            EXPECT_TRUE(Expanded(*Pieces(groups[i])[0]) == Painted(255, cut.masks[i])) << "seed " << cut.seed << ", piece " << i;
        }
    }
}

// At cell 64 (pitch 95); two draws a piece and three a seam. 1000 × 700 leaves 50 and 35 pixels
// over; 950 × 286 is 10 pitches and 3 pitches and a pixel; a single row; a single column;
// smaller than one pitch, no puzzle. Once a row holds 1000 pieces or more, rows lie 10000 apart.
TEST_F(PuzzleTest, GridsAreCentredWithTheOddPixelAtTheFarEndAndCutOnlyTheSeamsTheyHave) {
    const struct { int width, height, columns, rows, originX, originY, stride, draws; } cases[] = {
        {1000, 700, 10, 7, 25, 17, 1000, 70 * 2 + (7 * 9 + 6 * 10) * 3}, {950, 286, 10, 3, 0, 0, 1000, 30 * 2 + (3 * 9 + 2 * 10) * 3},
        {1000, 100, 10, 1, 25, 2, 1000, 10 * 2 + 9 * 3}, {100, 700, 1, 7, 2, 17, 1000, 7 * 2 + 6 * 3},
        {94, 500, 0, 5, 0, 0, 1000, 0}, {500, 94, 5, 0, 0, 0, 1000, 0}, {0, 0, 0, 0, 0, 0, 1000, 0},
        {1200 * 95, 190, 1200, 2, 0, 0, 10000, 2400 * 2 + (2 * 1199 + 1200) * 3}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << " × " << c.height);
        UsePicture(c.width, c.height);
        const std::uint64_t seed = g_randomState;
        ASSERT_TRUE(GeneratePuzzle());
        EXPECT_EQ(g_randomState, StateAfter(seed, c.draws));
        const std::vector<Group*> groups = Groups();  // one piece each, row by row
        ASSERT_EQ(groups.size(), static_cast<std::size_t>(c.columns * c.rows));
        for (std::size_t i = 0; i < groups.size(); ++i) {
            const Piece* p = Pieces(groups[i])[0];
            const int r = static_cast<int>(i) / c.columns + 1;
            const int k = static_cast<int>(i) % c.columns + 1;
            const int id = c.stride * r + k;
            ASSERT_EQ(std::vector({p->id, p->rightId, p->downId, p->leftId, p->upId, p->homeX, p->homeY, p->offsetX, p->offsetY}),
                      std::vector({id, k < c.columns ? id + 1 : 0, r < c.rows ? id + c.stride : 0, k > 1 ? id - 1 : 0,
                                   r > 1 ? id - c.stride : 0, c.originX + (k - 1) * 95, c.originY + (r - 1) * 95, 0, 0}));
        }
    }
}

// At cell 8 a 2^31 − 1 pixel square holds 195225786² cells; the puzzle cut before stays in play.
TEST_F(PuzzleTest, GenerationNeedsAPictureAndRefusesGridsBeyond32BitIdsKeepingThePuzzleInPlay) {
    EXPECT_FALSE(GeneratePuzzle());
    UsePicture(1000, 700);
    picture_.loaded = 0;
    EXPECT_FALSE(GeneratePuzzle());
    UsePicture(1000, 700);
    ASSERT_TRUE(GeneratePuzzle());
    const std::uint64_t state = g_randomState;
    UsePicture(INT32_MAX, INT32_MAX);
    g_cellSize = 8;
    EXPECT_FALSE(GeneratePuzzle());
    EXPECT_EQ(std::vector({g_groups.count, g_pitch, g_tableWidth}), std::vector({70, 95, 1125}));
    EXPECT_EQ(g_randomState, state);
}
