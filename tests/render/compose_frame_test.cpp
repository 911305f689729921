#include "render/compose_frame.h"

#include <gtest/gtest.h>

#include <vector>

#include "imaging/test_pictures.h"
#include "model/geometry.h"
#include "model/group.h"
#include "render/view.h"

namespace {

constexpr int kWidth = 64;
constexpr int kHeight = 48;

// A frame as the rules give it, built by hand: a grey table, then pieces painted where their masks
// are set, mask pixel (mx, my) at canvas pixel (left + mx, bottom + my) showing picture pixel
// (sourceX + mx, sourceY + my). Picture pixel (x, y) is red 16 x, green 10 y, blue 100, opaque
// below row 16 and with transparency 128 from row 16 up, so that a piece drawn twice shows.
struct Frame {
    std::vector<int> rgb;

    explicit Frame(int grey) : rgb(kWidth * kHeight * 3, grey) {}

    Frame& Paint(int left, int bottom, int sourceX, int sourceY, int clearedColumns) {
        for (int my = 0; my < 8; ++my) {
            for (int mx = clearedColumns; mx < 8; ++mx) {
                const int colour[3] = {16 * (sourceX + mx), 10 * (sourceY + my), 100};
                const int t = sourceY + my < 16 ? 0 : 128;
                int* pixel = &rgb[((bottom + my) * kWidth + left + mx) * 3];
                for (int c = 0; c < 3; ++c) pixel[c] = (pixel[c] * t + colour[c] * (255 - t)) / 255;
            }
        }
        return *this;
    }
};

// The view scales by 15/16 about the centre of a 64 × 48 table on a 64 × 48 canvas, so an 8-pixel
// mask is drawn 8 × 15/16 + 0.5 = 8 canvas pixels wide, one canvas pixel a picture pixel, and a
// piece centred on the table at (32 + 16 i, 24 + 16 j) covers canvas columns 28 + 15 i … 35 + 15 i
// and rows 20 + 15 j … 27 + 15 j.
class ComposeFrameTest : public testing::Test {
protected:
    void SetUp() override {
        SizeCanvas(&canvas, kWidth, kHeight);
        g_canvas = view.canvas = &canvas;
        view.tableWidth = kWidth;
        view.tableHeight = kHeight;
        view.toCanvas[0][0] = view.toCanvas[1][1] = 15.0 / 16.0;
        g_view = &view;
        g_maskSize = 8;
        g_margin = 2;
        picture.MakeDecoded(16, 24, 4);
        for (int at = 0; at < 16 * 24 * 4; ++at) {
            const int x = at / 4 % 16, y = at / 64;
            const int bgra[4] = {100, 10 * y, 16 * x, y < 16 ? 255 : 127};
            picture.Byte(x, y, at % 4) = static_cast<unsigned char>(bgra[at % 4]);
        }
        g_sourceImage = &picture.image;
    }

    void TearDown() override {
        ClearPuzzle();
        g_canvas = nullptr;
        g_view = nullptr;
        g_sourceImage = nullptr;
        g_backgroundGrey = 128;
    }

    // A group of one piece centred on the table at (x, y), part of that from the group's position
    // and part from the piece's offset, showing the picture from (sourceX, sourceY) on.
    Group* AddGroup(int x, int y, int sourceX, int sourceY, int clearedColumns) {
        auto* piece = new Piece;
        piece->mask = new unsigned char[64];
        for (int at = 0; at < 64; ++at) piece->mask[at] = at % 8 < clearedColumns ? 0 : 255;
        piece->homeX = sourceX + g_margin;
        piece->homeY = sourceY + g_margin;
        piece->offsetX = 5;
        piece->offsetY = -7;
        auto* link = new PieceLink;
        link->piece = piece;
        auto* group = new Group;
        group->x = x - 5;
        group->y = y + 7;
        PushBack(&group->members, &link->links);
        PushBack(&g_groups, &group->links);
        return group;
    }

    // The first pixel where the working image, or the display image that holds it blue first,
    // differs from the frame; −1 when none does.
    int FirstDifference(const Frame& frame) const {
        for (int at = 0; at < kWidth * kHeight * 3; ++at) {
            const int displayed = canvas.display[at - at % 3 + 2 - at % 3];
            if (canvas.pixels[at] != frame.rgb[at] || displayed != frame.rgb[at]) return at / 3;
        }
        return -1;
    }

    Canvas canvas;
    View view;
    TestPicture picture;
};

}  // namespace

TEST_F(ComposeFrameTest, WithoutAPictureEveryFrameIsTheGreyAlone) {
    AddGroup(32, 24, 2, 4, 0);
    ComposeFrame(3);  // leaves a rest image with a piece, which no frame without the picture shows
    picture.image.loaded = 0;
    for (std::int32_t flags : {1, 2, 3}) {
        g_sourceImage = flags == 2 ? nullptr : &picture.image;  // none, or one not loaded
        g_backgroundGrey = static_cast<std::int16_t>(0x100 + 64 * flags);  // only the low byte counts
        ComposeFrame(flags);
        EXPECT_EQ(FirstDifference(Frame(64 * flags)), -1) << flags;
    }
}

// The held group C starts at the bottom of the stack at (16, 40), over canvas 13 … 20, 35 … 42;
// dragged by (16, −16) it lies exactly over A, and A under B, so the order shows in every pixel.
TEST_F(ComposeFrameTest, RestingGroupsAreDrawnBottomFirstAndTheHeldGroupOnceOnTop) {
    Group* held = AddGroup(16, 40, 0, 16, 2);
    AddGroup(32, 24, 2, 4, 1);
    AddGroup(32, 24, 6, 4, 3);
    g_draggedGroup = held;
    held->dragDX = 16;
    held->dragDY = -16;
    ComposeFrame(1);  // right after sizing there is no rest image to start from
    EXPECT_EQ(FirstDifference(Frame(128).Paint(28, 20, 0, 16, 2)), -1);

    ComposeFrame(3);
    const Frame rest = Frame(128).Paint(28, 20, 2, 4, 1).Paint(28, 20, 6, 4, 3);
    EXPECT_EQ(FirstDifference(Frame(rest).Paint(28, 20, 0, 16, 2)), -1);
    // Moved on 15 canvas pixels, a drag frame starts from the rest image, grey 128 and all.
    held->dragDX = 32;
    g_backgroundGrey = 0;
    ComposeFrame(1);
    EXPECT_EQ(FirstDifference(Frame(rest).Paint(43, 20, 0, 16, 2)), -1);

    // Raised to the top, A covers B; a frame of the resting groups alone leaves C out, and the next
    // drag frame starts from that newer rest image.
    RaiseGroup(RecordOf<Group>(g_groups.first->next));
    ComposeFrame(2);
    const Frame raised = Frame(0).Paint(28, 20, 6, 4, 3).Paint(28, 20, 2, 4, 1);
    EXPECT_EQ(FirstDifference(raised), -1);
    // A held group that is no longer in play is not drawn.
    Unlink(&held->links);
    ComposeFrame(1);
    EXPECT_EQ(FirstDifference(raised), -1);
    PushBack(&g_groups, &held->links);
}

// At half size an 8-pixel mask is drawn 4.5 canvas pixels wide, a step of 8 / 4.5 = 1.78 picture
// pixels: canvas pixel (33, 24) maps to picture point (7.78, 8) of the resting group and (41, 24)
// to (5.78, 4) of the held one. A footprint of 1.78 holds its corner alone, red 16 × 7; the
// interpolation gives red 16 × 5.78 = 92.4.
TEST_F(ComposeFrameTest, ShrunkBelowOnePointOneTheRestingGroupsAreAveragedAndTheHeldGroupInterpolated) {
    view.toCanvas[0][0] = view.toCanvas[1][1] = 0.5;
    AddGroup(32, 24, 2, 4, 0);
    g_draggedGroup = AddGroup(48, 24, 0, 0, 0);
    ComposeFrame(2);
    ComposeFrame(1);
    EXPECT_EQ(CanvasRgb(canvas, 33, 24), "112 80 100");
    EXPECT_EQ(CanvasRgb(canvas, 41, 24), "92 40 100");
}
