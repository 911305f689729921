#include "render/compose_frame.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "imaging/test_pictures.h"
#include "model/geometry.h"
#include "model/group.h"
#include "render/view.h"

namespace {

constexpr int kWidth = 64;
constexpr int kHeight = 48;

// A puzzle of 8-pixel masks over a 16 × 24 picture whose pixel (x, y) is red 16 x, green 10 y,
// blue 100, opaque below row 16 and with straight alpha 127 (transparency 128) from row 16 up.
//
// The view scales by 15/16 about the centre of a 64 × 48 table on a 64 × 48 canvas, so a mask
// is drawn 8 × 15/16 + 0.5 = 8 canvas pixels wide: one canvas pixel a picture pixel. A piece
// whose table centre is (32 + 16 i, 24 + 16 j) lands on the whole canvas point (32 + 15 i,
// 24 + 15 j), and mask pixel (mx, my) on canvas pixel (28 + 15 i + mx, 20 + 15 j + my), showing
// its picture pixel exactly. Four table units to the right (3.75 canvas pixels) it lands a
// quarter pixel off: mask column mx on canvas column 32 + mx, showing the picture a quarter
// pixel to the right of its pixel, red 16 x + 4.
class ComposeFrameTest : public testing::Test {
protected:
    void SetUp() override {
        SizeCanvas(&canvas, kWidth, kHeight);
        g_canvas = &canvas;
        view.canvas = &canvas;
        view.tableWidth = kWidth;
        view.tableHeight = kHeight;
        view.toCanvas[0][0] = view.toCanvas[1][1] = 15.0 / 16.0;
        g_view = &view;
        g_maskSize = 8;
        g_margin = 2;
        picture.MakeDecoded(16, 24, 4);
        for (int y = 0; y < 24; ++y) {
            for (int x = 0; x < 16; ++x) {
                picture.Byte(x, y, 0) = 100;
                picture.Byte(x, y, 1) = static_cast<unsigned char>(10 * y);
                picture.Byte(x, y, 2) = static_cast<unsigned char>(16 * x);
                picture.Byte(x, y, 3) = y < 16 ? 255 : 127;
            }
        }
        g_sourceImage = &picture.image;
        g_backgroundGrey = 128;
    }

    void TearDown() override {
        ClearPuzzle();
        g_draggedGroup = nullptr;
        g_canvas = nullptr;
        g_view = nullptr;
        g_sourceImage = nullptr;
        g_backgroundGrey = 128;
    }

    // A group of one piece whose mask's first picture pixel is (sourceX, sourceY), with every
    // mask byte set but those listed as mask pixels to clear.
    Group* AddGroup(std::int32_t x, std::int32_t y, std::int32_t sourceX, std::int32_t sourceY,
                    std::initializer_list<std::pair<int, int>> cleared) {
        auto* piece = new Piece;
        piece->mask = new unsigned char[64];
        std::memset(piece->mask, 255, 64);
        for (const auto& [mx, my] : cleared) piece->mask[my * 8 + mx] = 0;
        piece->homeX = sourceX + g_margin;
        piece->homeY = sourceY + g_margin;
        auto* link = new PieceLink;
        link->piece = piece;
        auto* group = new Group;
        group->x = x;
        group->y = y;
        PushBack(&group->members, &link->links);
        PushBack(&g_groups, &group->links);
        return group;
    }

    // The frame as the rules give it, built by hand: a grey table, then pieces painted with their
    // picture pixels where their masks are set, opaque ones replacing, transparent ones blending.
    struct Frame {
        std::vector<unsigned char> bytes;

        explicit Frame(int grey) : bytes(kWidth * kHeight * 3, static_cast<unsigned char>(grey)) {}

        // Mask pixel (mx, my) at canvas pixel (left + mx, bottom + my) shows picture pixel
        // (sourceX + mx, sourceY + my), a quarter pixel further right when `quarter`.
        void Paint(int left, int bottom, int sourceX, int sourceY, bool quarter,
                   std::initializer_list<std::pair<int, int>> cleared) {
            for (int my = 0; my < 8; ++my) {
                for (int mx = 0; mx < 8; ++mx) {
                    bool kept = true;
                    for (const auto& pixel : cleared) kept = kept && pixel != std::pair{mx, my};
                    const int x = left + mx;
                    const int y = bottom + my;
                    if (!kept || x < 0 || x >= kWidth || y < 0 || y >= kHeight) continue;
                    const int colour[3] = {16 * (sourceX + mx) + (quarter ? 4 : 0), 10 * (sourceY + my), 100};
                    const int t = sourceY + my < 16 ? 0 : 128;
                    unsigned char* pixel = &bytes[(y * kWidth + x) * 3];
                    for (int c = 0; c < 3; ++c) pixel[c] = static_cast<unsigned char>((pixel[c] * t + colour[c] * (255 - t)) / 255);
                }
            }
        }
    };

    void ExpectFrame(const Frame& expected) {
        for (int y = 0; y < kHeight; ++y) {
            for (int x = 0; x < kWidth; ++x) {
                const unsigned char* want = &expected.bytes[(y * kWidth + x) * 3];
                const std::string wanted = std::to_string(want[0]) + " " + std::to_string(want[1]) + " " +
                                           std::to_string(want[2]);
                ASSERT_EQ(CanvasRgb(canvas, x, y), wanted) << "at " << x << ", " << y;
            }
        }
        // The display image follows the working image, blue first.
        const unsigned char* shown = canvas.display + (21 * kWidth + 30) * 3;
        EXPECT_EQ(std::to_string(shown[2]) + " " + std::to_string(shown[1]) + " " + std::to_string(shown[0]),
                  CanvasRgb(canvas, 30, 21));
    }

    Canvas canvas;
    View view;
    TestPicture picture;
};

}  // namespace

TEST_F(ComposeFrameTest, WithoutAPictureEveryFrameIsTheGreyAlone) {
    AddGroup(32, 24, 2, 4, {});
    for (std::int32_t flags : {1, 2, 3, 7}) {
        g_sourceImage = nullptr;
        ComposeFrame(flags);
        ExpectFrame(Frame(128));
        g_sourceImage = &picture.image;
        picture.image.loaded = 0;
        g_backgroundGrey = 0x1C0;  // only the low byte counts: 192
        ComposeFrame(flags);
        ExpectFrame(Frame(192));
        picture.image.loaded = 1;
        g_backgroundGrey = 128;
    }
    g_backgroundGrey = 0;
    ComposeFrame(3);
    EXPECT_EQ(CanvasRgb(canvas, 0, 0), "0 0 0");

    // A rest image left by an earlier picture is not brought back once the picture is gone.
    g_backgroundGrey = 64;
    picture.image.loaded = 0;
    g_draggedGroup = RecordOf<Group>(g_groups.first);
    ComposeFrame(1);
    ExpectFrame(Frame(64));
}

TEST_F(ComposeFrameTest, RestingGroupsAreDrawnBottomFirstOverTheGrey) {
    // A at (32, 24) over canvas 28 … 35, 20 … 27, its first mask column and one pixel cleared;
    // B on top at (36, 24) over 32 … 39, with the lower half of its second column cleared so that
    // A shows through there.
    AddGroup(32, 24, 2, 4, {{0, 0}, {0, 1}, {0, 2}, {0, 3}, {0, 4}, {0, 5}, {0, 6}, {0, 7}, {3, 5}});
    AddGroup(36, 24, 6, 4, {{1, 0}, {1, 1}, {1, 2}, {1, 3}});
    ComposeFrame(2);
    Frame expected(128);
    expected.Paint(28, 20, 2, 4, false, {{0, 0}, {0, 1}, {0, 2}, {0, 3}, {0, 4}, {0, 5}, {0, 6}, {0, 7}, {3, 5}});
    expected.Paint(32, 20, 6, 4, true, {{1, 0}, {1, 1}, {1, 2}, {1, 3}});
    ExpectFrame(expected);
    EXPECT_EQ(CanvasRgb(canvas, 33, 21), "112 50 100");  // A's mask pixel (5, 1): picture (7, 5)
    EXPECT_EQ(CanvasRgb(canvas, 33, 25), "116 90 100");  // B's (1, 5): picture (7.25, 9)

    // Raising A to the top reverses the overlap.
    RaiseGroup(RecordOf<Group>(g_groups.first));
    ComposeFrame(2);
    EXPECT_EQ(CanvasRgb(canvas, 33, 25), "112 90 100");  // A's (5, 5): picture (7, 9)
}

TEST_F(ComposeFrameTest, TheHeldGroupIsDrawnOnceOnTopAndAMoveRedrawsOnlyIt) {
    // The held group C lies at the bottom of the stack at (16, 24), over canvas 13 … 20; held
    // 16 units to the right it covers A exactly. Its picture is half transparent, so a second
    // drawing would show.
    Group* held = AddGroup(16, 24, 0, 16, {{0, 7}, {1, 7}, {2, 7}, {3, 7}, {4, 7}, {5, 7}, {6, 7}, {7, 7}});
    AddGroup(32, 24, 2, 4, {{0, 0}, {0, 1}, {0, 2}, {0, 3}, {0, 4}, {0, 5}, {0, 6}, {0, 7}});
    AddGroup(36, 24, 6, 4, {});
    g_draggedGroup = held;
    held->dragDX = 16;
    ComposeFrame(3);
    Frame rest(128);
    rest.Paint(28, 20, 2, 4, false, {{0, 0}, {0, 1}, {0, 2}, {0, 3}, {0, 4}, {0, 5}, {0, 6}, {0, 7}});
    rest.Paint(32, 20, 6, 4, true, {});
    Frame expected = rest;
    expected.Paint(28, 20, 0, 16, false, {{0, 7}, {1, 7}, {2, 7}, {3, 7}, {4, 7}, {5, 7}, {6, 7}, {7, 7}});
    ExpectFrame(expected);
    // Over the grey where A's mask is clear: (128 × 128 + 0 × 127) / 255 = 64,
    // (128 × 128 + 160 × 127) / 255 = 143.9, (128 × 128 + 100 × 127) / 255 = 114.05.
    EXPECT_EQ(CanvasRgb(canvas, 28, 20), "64 143 114");

    // Moved on 15 canvas pixels, with flags 1: the resting groups come back from the rest image,
    // drawn under the grey of the last full frame, and C is drawn at its new place only.
    held->dragDX = 32;
    g_backgroundGrey = 0;
    ComposeFrame(1);
    expected = rest;
    expected.Paint(43, 20, 0, 16, false, {{0, 7}, {1, 7}, {2, 7}, {3, 7}, {4, 7}, {5, 7}, {6, 7}, {7, 7}});
    ExpectFrame(expected);

    // With only the resting groups redrawn, the held group is not drawn at all.
    ComposeFrame(2);
    Frame bare(0);
    bare.Paint(28, 20, 2, 4, false, {{0, 0}, {0, 1}, {0, 2}, {0, 3}, {0, 4}, {0, 5}, {0, 6}, {0, 7}});
    bare.Paint(32, 20, 6, 4, true, {});
    ExpectFrame(bare);
}

TEST_F(ComposeFrameTest, WithoutARestImageOrAHeldGroupInPlayOnlyWhatCanBeDrawnIs) {
    // Right after sizing there is no rest image: a drag frame shows the grey and the held group.
    Group* held = AddGroup(32, 24, 0, 16, {});
    AddGroup(36, 24, 6, 4, {});
    g_draggedGroup = held;
    ComposeFrame(1);
    Frame expected(128);
    expected.Paint(28, 20, 0, 16, false, {});
    ExpectFrame(expected);

    // A held group that is no longer in play is not drawn.
    Unlink(&held->links);
    ComposeFrame(3);
    Frame resting(128);
    resting.Paint(32, 20, 6, 4, true, {});
    ExpectFrame(resting);
    PushBack(&g_groups, &held->links);
}
