#include "render/compose_frame.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "imaging/test_pictures.h"
#include "model/puzzle_fixture.h"
#include "model/mask.h"
#include "render/view.h"

namespace {

// A 16 × 8 canvas showing a 16 × 8 table at 7/8 of its size, moved 4 pixels left, so that a
// 4-pixel mask is drawn 4 × 7/8 + 0.5 = 4 canvas pixels wide, one picture pixel each: a piece
// centred on the table at (8, 4) covers canvas columns 2 … 5, one at (16, 4) columns 9 … 12, both
// over rows 2 … 5. The 12 × 4 grey picture holds three squares of letters, pixel (x, y) of each
// being a + x + 4 y, A + x + 4 y and 0 + x + 4 y. The pieces are the first three of a row of
// four grid cells, the margin 2: a seam cuts one column from each side, and gives it back over
// the rows of its knob. Every knob spans all four rows; those of the first two seams lie on the
// left piece and that of the third on the right one, so the first piece keeps its whole square,
// the second all but its first column and the third only its middle two columns.
class ComposeFrameTest : public testing::Test {
protected:
    void SetUp() override {
        SizeCanvas(&canvas, 16, 8);
        g_canvas = view.canvas = &canvas;
        view.tableWidth = 16;
        view.tableHeight = 8;
        view.toCanvas[0][0] = view.toCanvas[1][1] = 7.0 / 8.0;
        view.toCanvas[0][2] = -4.0;
        g_view = &view;
        g_maskSize = 4;
        g_margin = 2;
        ASSERT_TRUE(MakeSeamTable(1, 4, 1000));
        for (int column = 1; column <= 3; ++column) {
            SeamKnob* seam = RightSeam(1, column);
            seam->length = 4;
            seam->onSecond = column == 3 ? 1 : 0;
        }
        picture.MakeDecoded(12, 4, 1);
        for (int at = 0; at < 48; ++at) picture.Byte(at % 12, at / 12, 0) = "aA0"[at % 12 / 4] + at % 4 + at / 12 * 4;
        g_sourceImage = &picture.image;
        g_backgroundGrey = '.';
    }

    void TearDown() override {
        ClearPuzzle();
        g_canvas = nullptr;
        g_view = nullptr;
        g_sourceImage = nullptr;
        g_backgroundGrey = 128;
    }

    // A group of one piece centred on the table at (x, 4), part of that from the group's position
    // and part from the piece's offset, showing the square from column sourceX through the mask
    // of grid column `column`.
    Group* AddGroup(int x, int sourceX, int column) {
        return NewGroup(x - 5, 4 + 7, {new Piece{{}, 1000 + column, 0, 0, 0, 0, sourceX + 2, 2, 5, -7}});
    }

    std::string Row(int y) const {
        std::string row;
        for (int x = 0; x < 16; ++x) row += static_cast<char>(canvas.display[(y * 16 + x) * 3]);
        return row;
    }

    // The display image as letters, top row first, rows separated by spaces.
    std::string Shown() const { return Row(7) + " " + Row(6) + " " + Row(5) + " " + Row(4) + " " + Row(3) + " " + Row(2) + " " + Row(1) + " " + Row(0); }

    Canvas canvas;
    View view;
    TestPicture picture;
};

// Two rows of the background, the four rows pieces cover (5 to 2), two more of the background.
std::string Frame(char grey, const std::string& pieceRows) {
    const std::string empty(16, grey);
    return empty + " " + empty + " " + pieceRows + " " + empty + " " + empty;
}

}  // namespace

TEST_F(ComposeFrameTest, WithoutAPictureEveryFrameIsTheGreyAlone) {
    AddGroup(8, 0, 1);
    ComposeFrame(3);  // leaves a rest image with a piece, which no frame without the picture shows
    picture.image.loaded = 0;
    for (std::int32_t flags : {1, 2, 3}) {
        g_sourceImage = flags == 2 ? nullptr : &picture.image;  // none, or one not loaded
        g_backgroundGrey = static_cast<std::int16_t>(0x100 + 'w' + flags);  // only the low byte counts
        ComposeFrame(flags);
        const std::string shown = Shown();
        EXPECT_EQ(std::count(shown.begin(), shown.end(), 'w' + flags), 128) << shown;
    }
}

// The held group C (digits, its middle columns) starts at the bottom of the stack; A (small
// letters, the whole square) lies under B (capitals, all but the first column), so the order
// shows in the columns each leaves uncovered. Right after sizing there is no rest image to start
// a drag frame from, which is then a full frame; moved back, a drag frame starts from the rest
// image, whose grey is not the new one. Raised to the top, A covers B; a frame of the resting groups alone leaves C out, and the
// next drag frame starts from that newer rest image. A held group no longer in play is not drawn.
TEST_F(ComposeFrameTest, RestingGroupsAreDrawnBottomFirstAndTheHeldGroupOnceOnTop) {
    Group* held = AddGroup(16, 8, 3);
    Group* a = AddGroup(8, 0, 1);
    AddGroup(8, 4, 2);
    g_draggedGroup = held;
    held->dragDX = -8;  // over A and B
    for (const std::int32_t flags : {1, 3}) {
        ComposeFrame(flags);
        EXPECT_EQ(Shown(), Frame('.', "..m=>P.......... ..i9:L.......... ..e56H.......... ..a12D.........."));
    }
    held->dragDX = 0;
    g_backgroundGrey = ',';
    ComposeFrame(1);
    EXPECT_EQ(Shown(), Frame('.', "..mNOP....=>.... ..iJKL....9:.... ..eFGH....56.... ..aBCD....12...."));
    RaiseGroup(a);
    ComposeFrame(2);
    const std::string raised = Frame(',', ",,mnop,,,,,,,,,, ,,ijkl,,,,,,,,,, ,,efgh,,,,,,,,,, ,,abcd,,,,,,,,,,");
    EXPECT_EQ(Shown(), raised);
    Unlink(&held->links);
    ComposeFrame(1);
    EXPECT_EQ(Shown(), raised);
    PushBack(&g_groups, &held->links);
}
