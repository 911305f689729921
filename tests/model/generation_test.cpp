#include "model/generation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "model/knob.h"
#include "puzzle_fixture.h"
#include "support/leak_check.h"

namespace {

using Mask = std::vector<unsigned char>;

unsigned char At(const Piece* piece, int x, int y) { return piece->mask[y * g_maskSize + x]; }

struct SeamDraw {
    bool knobOnFirst;
    int start;
    int length;
};

SeamDraw DrawSeam() {
    SeamDraw draw;
    draw.knobOnFirst = RandomInRange(0, 256) > 127;
    draw.length = RandomInRange(4, g_cellSize - 2);
    draw.start = g_margin + RandomInRange(2, g_cellSize - draw.length - 2);
    return draw;
}

void Set(Mask& mask, int x, int y, unsigned char value) { mask[y * g_maskSize + x] = value; }

// Knob and socket as the owner of each sees them: lines along the seam, columns (or rows) across.
void ApplySeam(Mask& a, Mask& b, Seam seam, const SeamDraw& draw) {
    const int s = g_maskSize;
    const int h = g_margin / 2;
    auto put = [seam](Mask& mask, int across, int along, unsigned char value) {
        if (seam == Seam::LeftRight) Set(mask, across, along, value);
        else Set(mask, along, across, value);
    };
    for (int line = draw.start; line < draw.start + draw.length; ++line) {
        for (int i = 0; i < h; ++i) put(draw.knobOnFirst ? a : b, draw.knobOnFirst ? s - h + i : i, line, 255);
        for (int i = 0; i < h - 1; ++i) put(draw.knobOnFirst ? b : a, draw.knobOnFirst ? h + i : s - 2 * h + 1 + i, line, 0);
    }
}

// The first seed from `from` on whose first seam, after the eight draws that place a 2 × 2 grid,
// draws the side value 127: the largest that still gives the knob to the right piece.
std::uint64_t SeedWithSideDraw127(std::uint64_t from) {
    for (std::uint64_t seed = from;; ++seed) {
        g_randomState = StateAfter(seed, 8);
        if (RandomInRange(0, 256) == 127) return seed;
    }
}

// The positions and masks of a 2 × 2 cut from `seed`, replayed from the draws: x and y of each
// piece, then each seam's side, length and start, every left-right seam before any upper-lower
// one. Each mask is the piece's body, reaching out to the mask's edge where the grid ends, with
// the knobs and sockets as their owners see them.
std::vector<Mask> Replay2By2Cut(std::uint64_t seed, std::vector<std::pair<int, int>>* positions) {
    const int s = g_maskSize;
    const int h = g_margin / 2;
    g_randomState = seed;
    for (int i = 0; i < 4; ++i) {
        const int x = RandomInRange(g_pitch, g_tableWidth - g_pitch);
        positions->emplace_back(x, RandomInRange(g_pitch, g_tableHeight - g_pitch));
    }
    std::vector<Mask> masks(4, Mask(s * s, 0));
    for (int i = 0; i < 4; ++i) {
        const int r = i / 2 + 1;
        const int k = i % 2 + 1;
        for (int y = r == 1 ? 0 : h; y <= (r == 2 ? s - 1 : s - h - 1); ++y) {
            for (int x = k == 1 ? 0 : h; x <= (k == 2 ? s - 1 : s - h - 1); ++x) Set(masks[i], x, y, 255);
        }
    }
    const SeamDraw top = DrawSeam();
    const SeamDraw bottom = DrawSeam();
    const SeamDraw left = DrawSeam();
    const SeamDraw right = DrawSeam();
    ApplySeam(masks[0], masks[1], Seam::LeftRight, top);
    ApplySeam(masks[2], masks[3], Seam::LeftRight, bottom);
    ApplySeam(masks[0], masks[2], Seam::UpperLower, left);
    ApplySeam(masks[1], masks[3], Seam::UpperLower, right);
    return masks;
}

}  // namespace

TEST_F(PuzzleTest, A1000By700PictureAtCell64GivesTenColumnsAndSevenCentredRows) {
    UsePicture(1000, 700);
    g_cellSize = 64;
    const std::uint64_t seed = g_randomState;
    ASSERT_TRUE(GeneratePuzzle());
    EXPECT_EQ(g_margin, 32);
    EXPECT_EQ(g_pitch, 95);
    EXPECT_EQ(g_maskSize, 128);
    EXPECT_EQ(g_tableWidth, 1125);
    EXPECT_EQ(g_tableHeight, 843);

    const std::vector<Group*> groups = Groups();
    ASSERT_EQ(groups.size(), 70u);
    for (int r = 1; r <= 7; ++r) {
        for (int k = 1; k <= 10; ++k) {
            const Group* group = groups[(r - 1) * 10 + (k - 1)];
            ASSERT_EQ(group->members.count, 1);
            const Piece* piece = Pieces(group)[0];
            EXPECT_EQ(piece->id, 1000 * r + k);
            EXPECT_EQ(piece->rightId, k < 10 ? piece->id + 1 : 0);
            EXPECT_EQ(piece->leftId, k > 1 ? piece->id - 1 : 0);
            EXPECT_EQ(piece->downId, r < 7 ? piece->id + 1000 : 0);
            EXPECT_EQ(piece->upId, r > 1 ? piece->id - 1000 : 0);
            // 1000 − 950 = 50 left over, 25 on each side; 700 − 665 = 35, 17 below and 18 above.
            EXPECT_EQ(piece->homeX, 25 + (k - 1) * 95);
            EXPECT_EQ(piece->homeY, 17 + (r - 1) * 95);
            EXPECT_EQ(piece->offsetX, 0);
            EXPECT_EQ(piece->offsetY, 0);
            // Scattered inside the table, one pitch clear of its edges.
            EXPECT_GE(group->x, 95);
            EXPECT_LT(group->x, 1125 - 95);
            EXPECT_GE(group->y, 95);
            EXPECT_LT(group->y, 843 - 95);
        }
    }
    // Two draws a piece and three a seam: 70 × 2 + (7 × 9 + 6 × 10) × 3.
    EXPECT_EQ(g_randomState, StateAfter(seed, 509));
}

TEST_F(PuzzleTest, GridsAreCentredAndFlushWhenThePictureIsAnExactMultiple) {
    UsePicture(950, 286);  // 10 pitches wide; 3 pitches and one pixel high
    g_cellSize = 64;
    ASSERT_TRUE(GeneratePuzzle());
    const std::vector<Piece*> pieces = AllPieces();
    ASSERT_EQ(pieces.size(), 30u);
    EXPECT_EQ(pieces.front()->homeX, 0);
    EXPECT_EQ(pieces.front()->homeY, 0);  // the odd pixel is left over at the far end
    EXPECT_EQ(pieces.back()->homeX, 950 - 95);
    EXPECT_EQ(pieces.back()->homeY, 190);
}

TEST_F(PuzzleTest, ASingleRowCutsNoUpperLowerSeamsAndASingleColumnNoLeftRightOnes) {
    g_cellSize = 64;
    const int h = 16;
    const int s = 128;
    std::uint64_t seed = g_randomState;
    UsePicture(1000, 100);
    ASSERT_TRUE(GeneratePuzzle());
    ASSERT_EQ(g_groups.count, 10);
    EXPECT_EQ(g_randomState, StateAfter(seed, 10 * 2 + 9 * 3));
    for (const Piece* piece : AllPieces()) {
        EXPECT_EQ(piece->upId, 0);
        EXPECT_EQ(piece->downId, 0);
        // The full margin above and below the body stays.
        for (int x = h; x < s - h; ++x) {
            for (int y = 0; y < h; ++y) ASSERT_EQ(At(piece, x, y), 255);
            for (int y = s - h; y < s; ++y) ASSERT_EQ(At(piece, x, y), 255);
        }
    }

    ClearPuzzle();
    seed = g_randomState;
    UsePicture(100, 700);
    ASSERT_TRUE(GeneratePuzzle());
    ASSERT_EQ(g_groups.count, 7);
    EXPECT_EQ(g_randomState, StateAfter(seed, 7 * 2 + 6 * 3));
    for (const Piece* piece : AllPieces()) {
        EXPECT_EQ(piece->leftId, 0);
        EXPECT_EQ(piece->rightId, 0);
        for (int y = h; y < s - h; ++y) {
            for (int x = 0; x < h; ++x) ASSERT_EQ(At(piece, x, y), 255);
            for (int x = s - h; x < s; ++x) ASSERT_EQ(At(piece, x, y), 255);
        }
    }
}

TEST_F(PuzzleTest, APictureSmallerThanOnePitchGivesAnEmptyPuzzleAndDrawsNothing) {
    g_cellSize = 64;
    for (auto [width, height] : {std::pair{94, 500}, std::pair{500, 94}, std::pair{0, 0}}) {
        UsePicture(width, height);
        const std::uint64_t seed = g_randomState;
        EXPECT_TRUE(GeneratePuzzle());
        EXPECT_EQ(g_groups.count, 0);
        EXPECT_EQ(g_pitch, 95);
        EXPECT_EQ(g_randomState, seed);
    }
}

TEST_F(PuzzleTest, GenerationNeedsAPictureAndRefusesGridsBeyond32BitIds) {
    g_cellSize = 64;
    EXPECT_FALSE(GeneratePuzzle());
    picture_.width = 1000;
    picture_.height = 700;
    g_sourceImage = &picture_;  // present but not loaded
    EXPECT_FALSE(GeneratePuzzle());

    UsePicture(1000, 700);
    ASSERT_TRUE(GeneratePuzzle());
    const std::uint64_t state = g_randomState;
    // At cell 8 a 2^31 − 1 pixel square holds 195225786² cells; the puzzle in play stays.
    UsePicture(2147483647, 2147483647);
    g_cellSize = 8;
    EXPECT_FALSE(GeneratePuzzle());
    EXPECT_EQ(g_groups.count, 70);
    EXPECT_EQ(g_pitch, 95);
    EXPECT_EQ(g_randomState, state);
}

TEST_F(PuzzleTest, ANewPuzzleReplacesTheOldOneWhole) {
    UsePicture(1000, 700);
    g_cellSize = 8;
    ASSERT_TRUE(GeneratePuzzle());
    EXPECT_EQ(g_groups.count, 90 * 63);
    g_draggedGroup = RecordOf<Group>(g_groups.last);
    g_cellSize = 64;
    ASSERT_TRUE(GeneratePuzzle());
    EXPECT_EQ(g_groups.count, 70);
    EXPECT_EQ(g_draggedGroup, nullptr);
    EXPECT_TRUE(NothingLeaked());
}

TEST_F(PuzzleTest, EveryMaskIsItsBodyAndBorderMarginWithTheDrawnKnobsAndSockets) {
    // 2 × 2 cells at pitch 11 (a knob 2 deep, its socket 1) and at pitch 95 (16 and 15).
    for (auto [cellSize, seed] : {std::pair{8, std::uint64_t{2024}}, std::pair{8, SeedWithSideDraw127(1)}, std::pair{64, std::uint64_t{77}}}) {
        g_cellSize = cellSize;
        const int pitch = GeometryForCellSize(cellSize).pitch;
        UsePicture(2 * pitch, 2 * pitch);
        g_randomState = seed;
        ASSERT_TRUE(GeneratePuzzle());
        std::vector<std::pair<int, int>> positions;
        const std::vector<Mask> masks = Replay2By2Cut(seed, &positions);
        const std::vector<Group*> groups = Groups();
        ASSERT_EQ(groups.size(), 4u);
        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(std::pair(groups[i]->x, groups[i]->y), positions[i]);
            const Piece* piece = Pieces(groups[i])[0];
            EXPECT_EQ(Mask(piece->mask, piece->mask + g_maskSize * g_maskSize), masks[i]) << "piece " << piece->id << ", seed " << seed;
        }
    }
}


TEST_F(PuzzleTest, TheSameSeedCutsTheSamePuzzleAndAnotherSeedAnotherOne) {
    UsePicture(1000, 700);
    g_cellSize = 64;
    auto cut = [](std::uint64_t seed) {
        g_randomState = seed;
        EXPECT_TRUE(GeneratePuzzle());
        std::vector<int> positions;
        std::vector<unsigned char> masks;
        for (Group* group : Groups()) {
            positions.push_back(group->x);
            positions.push_back(group->y);
            const Piece* piece = Pieces(group)[0];
            masks.insert(masks.end(), piece->mask, piece->mask + g_maskSize * g_maskSize);
        }
        return std::pair{positions, masks};
    };
    const auto first = cut(7);
    const auto again = cut(7);
    const auto other = cut(8);
    EXPECT_EQ(first.first, again.first);
    EXPECT_TRUE(first.second == again.second);
    EXPECT_NE(first.first, other.first);
    EXPECT_FALSE(first.second == other.second);
}
