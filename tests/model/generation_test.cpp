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

// Every line (mask row for a left-right seam, column for an upper-lower one) of the given range
// across the seam that is 255 on all of `from` … `to`; fails the test where a line is only partly set.
std::vector<int> FullLines(const Piece* piece, Seam seam, int from, int to) {
    std::vector<int> lines;
    for (int line = 0; line < g_maskSize; ++line) {
        int set = 0;
        for (int i = from; i <= to; ++i) set += (seam == Seam::LeftRight ? At(piece, i, line) : At(piece, line, i)) == 255;
        EXPECT_TRUE(set == 0 || set == to - from + 1) << "piece " << piece->id << " line " << line;
        if (set > 0) lines.push_back(line);
    }
    return lines;
}

// The knob of the seam between `a` (left or upper) and `b`: one of the two carries it in its cut
// strip, h lines deep and 4 … c − 3 long inside m + 2 … m + c − 2; the other has the socket on
// exactly the same lines, h − 1 deep, and keeps the rest of that part of its body.
void ExpectOneKnobWithItsSocket(const Piece* a, const Piece* b, Seam seam) {
    const int s = g_maskSize;
    const int m = g_margin;
    const int h = m / 2;
    const std::vector<int> onA = FullLines(a, seam, s - h, s - 1);
    const std::vector<int> onB = FullLines(b, seam, 0, h - 1);
    ASSERT_TRUE(onA.empty() != onB.empty()) << "seam " << a->id << "-" << b->id;
    const std::vector<int>& knob = onA.empty() ? onB : onA;
    const int length = static_cast<int>(knob.size());
    EXPECT_GE(length, 4);
    EXPECT_LE(length, g_cellSize - 3);
    EXPECT_EQ(knob.back() - knob.front() + 1, length) << "the knob is one rectangle";
    EXPECT_GE(knob.front(), m + 2);
    EXPECT_LE(knob.back(), m + g_cellSize - 2);

    const Piece* socketPiece = onA.empty() ? a : b;
    const int socketFrom = onA.empty() ? s - 2 * h + 1 : h;
    std::vector<int> cleared;
    for (int line = h; line < s - h; ++line) {
        for (int i = socketFrom; i < socketFrom + h - 1; ++i) {
            const unsigned char value = seam == Seam::LeftRight ? At(socketPiece, i, line) : At(socketPiece, line, i);
            if (value == 0 && (cleared.empty() || cleared.back() != line)) cleared.push_back(line);
        }
    }
    EXPECT_EQ(cleared, knob) << "seam " << a->id << "-" << b->id;
    // Just beyond the socket the body is whole.
    const int beyond = onA.empty() ? socketFrom - 1 : socketFrom + h - 1;
    for (int line : knob) EXPECT_EQ(seam == Seam::LeftRight ? At(socketPiece, beyond, line) : At(socketPiece, line, beyond), 255);
}

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
    UsePicture(22, 22);  // 2 × 2 cells of pitch 11
    g_cellSize = 8;
    for (std::uint64_t seed : {std::uint64_t{2024}, SeedWithSideDraw127(1)}) {
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


TEST_F(PuzzleTest, EverySeamOfALargeCutHasOneKnobAndTheMatchingSocket) {
    UsePicture(1000, 700);
    g_cellSize = 64;
    ASSERT_TRUE(GeneratePuzzle());
    const std::vector<Piece*> pieces = AllPieces();
    for (int r = 1; r <= 7; ++r) {
        for (int k = 1; k <= 10; ++k) {
            const Piece* piece = pieces[(r - 1) * 10 + (k - 1)];
            for (int i = 0; i < g_maskSize * g_maskSize; ++i) ASSERT_TRUE(piece->mask[i] == 0 || piece->mask[i] == 255);
            if (k < 10) ExpectOneKnobWithItsSocket(piece, pieces[(r - 1) * 10 + k], Seam::LeftRight);
            if (r < 7) ExpectOneKnobWithItsSocket(piece, pieces[r * 10 + (k - 1)], Seam::UpperLower);
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
