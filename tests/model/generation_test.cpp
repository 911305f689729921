#include "model/generation.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "model/knob.h"
#include "model/mask.h"
#include "puzzle_fixture.h"

namespace {

using Mask = std::vector<unsigned char>;

// Sets the lines across0 … across1 of the mask, over along0 … along1 along them, to `value`: the
// lines are columns for a left-right seam and rows for an upper-lower one.
void Paint(Mask& mask, Seam seam, int across0, int across1, int along0, int along1, unsigned char value) {
    const bool leftRight = seam == Seam::LeftRight;
    for (int along = along0; along <= along1; ++along) {
        for (int across = across0; across <= across1; ++across) mask[leftRight ? along * g_maskSize + across : across * g_maskSize + along] = value;
    }
}

// Group positions and masks, in drawing order, of a puzzle whose groups hold one piece each.
struct Cut {
    std::vector<std::pair<int, int>> positions;
    std::vector<Mask> masks;
};

Cut Generated() {
    Cut cut;
    for (Group* group : Groups()) {
        cut.positions.emplace_back(group->x, group->y);
        const unsigned char* mask = Pieces(group)[0]->mask;
        cut.masks.emplace_back(mask, mask + MaskBytes());
    }
    return cut;
}

// What a 2 × 2 cut from `seed` must give, from the draws in their order: x and y of each piece,
// then each seam's side, knob length and start, the left-right seams first. Every mask starts
// whole; each seam clears the strip of h lines on both of its sides, gives it back as the knob on
// one side and cuts the socket h − 1 deep into the other.
Cut Expected2By2Cut(std::uint64_t seed) {
    const int s = g_maskSize;
    const int h = g_margin / 2;
    Cut cut{{}, std::vector<Mask>(4, Mask(MaskBytes(), 255))};
    g_randomState = seed;
    for (int i = 0; i < 4; ++i) {
        const int x = RandomInRange(g_pitch, g_tableWidth - g_pitch);
        cut.positions.emplace_back(x, RandomInRange(g_pitch, g_tableHeight - g_pitch));
    }
    // Pieces 0 1 over 2 3; a is the left or upper piece of each seam.
    const struct { Seam seam; int a, b; } seams[] = {
        {Seam::LeftRight, 0, 1}, {Seam::LeftRight, 2, 3}, {Seam::UpperLower, 0, 2}, {Seam::UpperLower, 1, 3}};
    for (auto [seam, a, b] : seams) {
        Paint(cut.masks[a], seam, s - h, s - 1, 0, s - 1, 0);
        Paint(cut.masks[b], seam, 0, h - 1, 0, s - 1, 0);
        const bool knobOnA = RandomInRange(0, 256) > 127;
        const int length = RandomInRange(4, g_cellSize - 2);
        const int start = g_margin + RandomInRange(2, g_cellSize - length - 2);
        const int end = start + length - 1;
        if (knobOnA) {
            Paint(cut.masks[a], seam, s - h, s - 1, start, end, 255);
            Paint(cut.masks[b], seam, h, 2 * h - 2, start, end, 0);
        } else {
            Paint(cut.masks[b], seam, 0, h - 1, start, end, 255);
            Paint(cut.masks[a], seam, s - 2 * h + 1, s - h - 1, start, end, 0);
        }
    }
    return cut;
}

// The first seed from `from` on whose first seam, after the eight draws that place four pieces,
// draws the side 127: the largest that still gives the knob to the right piece.
std::uint64_t SeedWithSideDraw127(std::uint64_t from) {
    for (std::uint64_t seed = from;; ++seed) {
        g_randomState = StateAfter(seed, 8);
        if (RandomInRange(0, 256) == 127) return seed;
    }
}

}  // namespace

TEST_F(PuzzleTest, FromStateZeroAKnobIsHDeepAndItsSocketHMinusOneOnTheSameLines) {
    // The draws 786958079 and 1526468270 are about 0.366 and 0.711 of 2^31. Cell 8 (m 4, h 2):
    // length 4 + 0, start 4 + 2 + 0 = 6. Cell 64 (m 32, h 16): length 4 + 21 (58 × 0.366),
    // start 32 + 2 + 24 (35 × 0.711) = 58.
    const struct { int cellSize; Seam seam; int knobLine, socketLine, knobEnd, socketEnd, along0, along1; } cases[] = {
        {8, Seam::LeftRight, 14, 2, 15, 2, 6, 9},
        {64, Seam::UpperLower, 0, 97, 15, 111, 58, 82},
    };
    for (const auto& c : cases) {
        g_cellSize = c.cellSize;
        FixGridGeometry();
        Mask knob(MaskBytes(), 0);
        Mask socket(MaskBytes(), 255);
        Mask expectedKnob = knob;
        Mask expectedSocket = socket;
        Paint(expectedKnob, c.seam, c.knobLine, c.knobEnd, c.along0, c.along1, 255);
        Paint(expectedSocket, c.seam, c.socketLine, c.socketEnd, c.along0, c.along1, 0);
        g_randomState = 0;
        AddKnob(c.seam, knob.data(), c.knobLine, socket.data(), c.socketLine);
        EXPECT_TRUE(knob == expectedKnob && socket == expectedSocket) << "cell " << c.cellSize;
    }
}

TEST_F(PuzzleTest, EveryPieceLiesAndIsCutAsTheDrawsFromTheSeedSayAndAnotherSeedCutsAnotherPuzzle) {
    // At cell 8 a knob is 2 deep and its socket 1; at cell 64, 16 and 15. Each cut follows another
    // in the same puzzle, so nothing but the seed may carry over.
    const std::pair<int, std::uint64_t> cuts[] = {{8, 2024}, {8, SeedWithSideDraw127(1)}, {64, 77}};
    for (auto [cellSize, seed] : cuts) {
        SCOPED_TRACE(testing::Message() << "cell " << cellSize << ", seed " << seed);
        g_cellSize = cellSize;
        const int pitch = GeometryForCellSize(cellSize).pitch;
        UsePicture(2 * pitch, 2 * pitch);
        g_randomState = seed;
        ASSERT_TRUE(GeneratePuzzle());
        const Cut cut = Generated();
        const Cut expected = Expected2By2Cut(seed);
        EXPECT_EQ(cut.positions, expected.positions);
        ASSERT_EQ(cut.masks.size(), 4u);
        for (int i = 0; i < 4; ++i) EXPECT_TRUE(cut.masks[i] == expected.masks[i]) << "piece " << i;
        g_randomState = seed + 1;
        ASSERT_TRUE(GeneratePuzzle());
        const Cut other = Generated();
        EXPECT_TRUE(other.positions != cut.positions && other.masks != cut.masks);
    }
}

TEST_F(PuzzleTest, GridsAreCentredWithTheOddPixelAtTheFarEndAndCutOnlyTheSeamsTheyHave) {
    // At cell 64 (pitch 95); two draws a piece and three a seam.
    const struct { int width, height, columns, rows, originX, originY, draws; } cases[] = {
        {1000, 700, 10, 7, 25, 17, 70 * 2 + (7 * 9 + 6 * 10) * 3},  // 50 and 35 pixels left over
        {950, 286, 10, 3, 0, 0, 30 * 2 + (3 * 9 + 2 * 10) * 3},     // 10 pitches; 3 pitches and a pixel
        {1000, 100, 10, 1, 25, 2, 10 * 2 + 9 * 3},                  // a single row
        {100, 700, 1, 7, 2, 17, 7 * 2 + 6 * 3},                     // a single column
        {94, 500, 0, 5, 0, 0, 0},                                   // smaller than one pitch: no puzzle
        {500, 94, 5, 0, 0, 0, 0},
        {0, 0, 0, 0, 0, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << " × " << c.height);
        UsePicture(c.width, c.height);
        const std::uint64_t seed = g_randomState;
        ASSERT_TRUE(GeneratePuzzle());
        EXPECT_EQ(g_randomState, StateAfter(seed, c.draws));
        const std::vector<Piece*> pieces = AllPieces();
        ASSERT_EQ(pieces.size(), static_cast<std::size_t>(c.columns * c.rows));
        for (std::size_t i = 0; i < pieces.size(); ++i) {
            const Piece* p = pieces[i];
            const int r = static_cast<int>(i) / c.columns + 1;
            const int k = static_cast<int>(i) % c.columns + 1;
            const int id = 1000 * r + k;
            EXPECT_EQ(std::vector({p->id, p->rightId, p->downId, p->leftId, p->upId}),
                      std::vector({id, k < c.columns ? id + 1 : 0, r < c.rows ? id + 1000 : 0, k > 1 ? id - 1 : 0, r > 1 ? id - 1000 : 0}));
            EXPECT_EQ(std::vector({p->homeX, p->homeY, p->offsetX, p->offsetY}),
                      std::vector({c.originX + (k - 1) * 95, c.originY + (r - 1) * 95, 0, 0}));
        }
    }
}

TEST_F(PuzzleTest, GenerationNeedsAPictureAndRefusesGridsBeyond32BitIdsKeepingThePuzzleInPlay) {
    EXPECT_FALSE(GeneratePuzzle());
    UsePicture(1000, 700);
    picture_.loaded = 0;
    EXPECT_FALSE(GeneratePuzzle());

    UsePicture(1000, 700);
    ASSERT_TRUE(GeneratePuzzle());
    EXPECT_EQ(std::pair(g_tableWidth, g_tableHeight), std::pair(1125, 843));  // fitted to the picture
    const std::uint64_t state = g_randomState;
    // At cell 8 a 2^31 − 1 pixel square holds 195225786² cells.
    UsePicture(INT32_MAX, INT32_MAX);
    g_cellSize = 8;
    EXPECT_FALSE(GeneratePuzzle());
    EXPECT_EQ(std::vector({g_groups.count, g_pitch}), std::vector({70, 95}));
    EXPECT_EQ(g_randomState, state);
}
