#include "render/compose_frame.h"

#include <gtest/gtest.h>

#include <string>

#include "imaging/test_pictures.h"
#include "model/geometry.h"
#include "model/group.h"
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
        auto* piece = new Piece;
        piece->mask = new unsigned char[16];
        for (int at = 0; at < 16; ++at) piece->mask[at] = at % 4 < clearedColumns ? 0 : 255;
        piece->homeX = sourceX;
        piece->offsetX = 5;
        piece->offsetY = -7;
        auto* link = new PieceLink;
        link->piece = piece;
        auto* group = new Group;
        group->x = x - 5;
        group->y = 4 + 7;
        PushBack(&group->members, &link->links);
        PushBack(&g_groups, &group->links);
        return group;
    }

    // The display image as letters, top row first, rows separated by spaces.
    std::string Shown() const {
        std::string rows;
        for (int y = 7; y >= 0; --y) rows += std::string(y < 7 ? " " : "") + Row(y);
        return rows;
    }

    std::string Row(int y) const {
        std::string row;
        for (int x = 0; x < 16; ++x) row += static_cast<char>(canvas.display[(y * 16 + x) * 3]);
        return row;
    }

    Canvas canvas;
    View view;
    TestPicture picture;
};

// Eight rows of one letter.
std::string Blank(char c) {
    const std::string row(16, c);
    return row + " " + row + " " + row + " " + row + " " + row + " " + row + " " + row + " " + row;
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
        EXPECT_EQ(Shown(), Blank(static_cast<char>('w' + flags))) << flags;
    }
}

// The held group C (digits, its last column alone) starts at the bottom of the stack; A (small
// letters, all but the first column) lies under B (capitals, the last two columns), so the order
// shows in the columns each leaves uncovered.
TEST_F(ComposeFrameTest, RestingGroupsAreDrawnBottomFirstAndTheHeldGroupOnceOnTop) {
    Group* held = AddGroup(16, 8, 3);
    Group* a = AddGroup(8, 0, 1);
    AddGroup(8, 4, 2);
    g_draggedGroup = held;
    held->dragDX = -8;  // over A and B
    ComposeFrame(1);  // right after sizing there is no rest image to start from
    const std::string empty(16, '.');
    EXPECT_EQ(Shown(), empty + " " + empty + " .....?.......... .....;.......... .....7.......... .....3.......... " +
                           empty + " " + empty);
    ComposeFrame(3);
    EXPECT_EQ(Shown(), empty + " " + empty + " ...nO?.......... ...jK;.......... ...fG7.......... ...bC3.......... " +
                           empty + " " + empty);
    // Moved back, a drag frame starts from the rest image, whose grey is not the new one.
    held->dragDX = 0;
    g_backgroundGrey = ',';
    ComposeFrame(1);
    EXPECT_EQ(Shown(), empty + " " + empty + " ...nOP......?... ...jKL......;... ...fGH......7... ...bCD......3... " +
                           empty + " " + empty);

    // Raised to the top, A covers B; a frame of the resting groups alone leaves C out, and the next
    // drag frame starts from that newer rest image. A held group no longer in play is not drawn.
    RaiseGroup(a);
    ComposeFrame(2);
    const std::string commas(16, ',');
    const std::string raised = commas + " " + commas + " ,,,nop,,,,,,,,,, ,,,jkl,,,,,,,,,, ,,,fgh,,,,,,,,,, " +
                               ",,,bcd,,,,,,,,,, " + commas + " " + commas;
    EXPECT_EQ(Shown(), raised);
    Unlink(&held->links);
    ComposeFrame(1);
    EXPECT_EQ(Shown(), raised);
    PushBack(&g_groups, &held->links);
}

// At 7/16 of its size a 4-pixel mask is drawn 2.25 canvas pixels wide, a step of 1.78 picture
// pixels, where a footprint holds its corner alone: canvas pixel (3, 3) maps to point (0.22, 0.22)
// of the resting group's square, averaged a, interpolated a + 0.22 + 4 × 0.22 = b; pixel (8, 3)
// to (2.89, 0.22) of the held group's, interpolated 0 + 2.89 + 0.89 = 3, averaged 2.
TEST_F(ComposeFrameTest, ShrunkBelowOnePointOneTheRestingGroupsAreAveragedAndTheHeldGroupInterpolated) {
    view.toCanvas[0][0] = view.toCanvas[1][1] = 7.0 / 16.0;
    AddGroup(8, 0, 0);
    g_draggedGroup = AddGroup(16, 8, 0);
    ComposeFrame(2);
    ComposeFrame(1);
    const std::string row = Row(3);
    EXPECT_EQ(std::string({row[3], row[8]}), "a3");
}
