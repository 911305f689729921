#include "render/compose_frame.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "imaging/test_pictures.h"
#include "model/puzzle_fixture.h"
#include "render/view.h"

namespace {

// A 16 × 8 canvas showing a 16 × 8 table at 7/8 of its size, moved 4 pixels left, so that a
// 4-pixel mask is drawn 4 × 7/8 + 0.5 = 4 canvas pixels wide, one picture pixel each: a piece
// centred on the table at (8, 4) covers canvas columns 2 … 5, one at (16, 4) columns 9 … 12, both
// over rows 2 … 5. The 12 × 4 grey picture holds three squares of letters, pixel (x, y) of each
// being a + x + 4 y, A + x + 4 y and 0 + x + 4 y.
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
        g_margin = 0;
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
    // and part from the piece's offset, showing the square from column sourceX with its first
    // columns cleared from the mask.
    Group* AddGroup(int x, int sourceX, int clearedColumns) {
        auto* mask = new unsigned char[16];
        for (int at = 0; at < 16; ++at) mask[at] = at % 4 < clearedColumns ? 0 : 255;
        return NewGroup(x - 5, 4 + 7, {new Piece{{}, mask, 0, 0, 0, 0, 0, sourceX, 0, 5, -7}});
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
    AddGroup(8, 0, 0);
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

// The held group C (digits, its last column alone) starts at the bottom of the stack; A (small
// letters, all but the first column) lies under B (capitals, the last two columns), so the order
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
        EXPECT_EQ(Shown(), Frame('.', "...nO?.......... ...jK;.......... ...fG7.......... ...bC3.........."));
    }
    held->dragDX = 0;
    g_backgroundGrey = ',';
    ComposeFrame(1);
    EXPECT_EQ(Shown(), Frame('.', "...nOP......?... ...jKL......;... ...fGH......7... ...bCD......3..."));
    RaiseGroup(a);
    ComposeFrame(2);
    const std::string raised = Frame(',', ",,,nop,,,,,,,,,, ,,,jkl,,,,,,,,,, ,,,fgh,,,,,,,,,, ,,,bcd,,,,,,,,,,");
    EXPECT_EQ(Shown(), raised);
    Unlink(&held->links);
    ComposeFrame(1);
    EXPECT_EQ(Shown(), raised);
    PushBack(&g_groups, &held->links);
}
