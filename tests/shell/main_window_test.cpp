#include "shell/main_window.h"

#include <windowsx.h>

#include <algorithm>
#include <cmath>
#include <cwchar>
#include <vector>

#include "imaging/contrast_stretch.h"
#include "model/generation.h"
#include "platform/message_box.h"
#include "progress/puzzle_arrangement.h"
#include "progress/progress_folder.h"
#include "progress/puzzle_in_play.h"
#include "model/table.h"
#include "shell/resource_ids.h"
#include "shell/window_input.h"
#include "ui/picture_loading.h"
#include "window_fixture.h"

namespace {

// The pointer over a table point in the home view at scale 1: the table's centre (360, 270) lies
// under the client's centre (320, 240), at 1.125 table units a pixel, y growing downward.
LPARAM PointerOver(double tableX, double tableY) {
    const int x = static_cast<int>(std::lround((tableX - 360) / 1.125 + 320));
    const int y = static_cast<int>(std::lround(240 - (tableY - 270) / 1.125));
    return MAKELPARAM(x, y);
}

LPARAM Pointer(int x, int y) { return MAKELPARAM(x, y); }

Group* GroupOfPiece(std::int32_t id) {
    for (ListItem* g = g_groups.first; g != nullptr; g = g->next) {
        for (ListItem* m = RecordOf<Group>(g)->members.first; m != nullptr; m = m->next) {
            if (RecordOf<PieceLink>(m)->piece->id == id) return RecordOf<Group>(g);
        }
    }
    return nullptr;
}

std::uint8_t BottomLeftGrey() { return g_canvas->display[0]; }

// Every group's place, in drawing order.
std::vector<std::pair<std::int32_t, std::int32_t>> Places() {
    std::vector<std::pair<std::int32_t, std::int32_t>> places;
    for (ListItem* it = g_groups.first; it != nullptr; it = it->next) {
        places.emplace_back(RecordOf<Group>(it)->x, RecordOf<Group>(it)->y);
    }
    return places;
}

}  // namespace

TEST_F(MainWindowTest, KeysStepTheGreyMoveTheViewAndRebuildTheCanvas) {
    // Each press redraws: the bottom-left pixel shows the table's grey at once.
    for (const int grey : {192, 0, 64, 128}) {
        Send(WM_KEYDOWN, VK_SPACE);
        EXPECT_EQ(g_backgroundGrey, grey);
        EXPECT_EQ(BottomLeftGrey(), grey);
    }
    // Where the canvas's bottom-left pixel (the pointer at 0, 480) lands on the table after each
    // key, and the top-right one (640, 0) the table's 720 × 540 units further, 900 × 675 zoomed
    // out. Panning by an eighth of 640 × 480 pixels moves 90 × 67.5 table units at home.
    const struct {
        WPARAM key;
        double x, y;
        std::int16_t scale;
    } steps[] = {
        {VK_RIGHT, 90, 0, 1},     {VK_UP, 90, 67.5, 1},        {VK_LEFT, 0, 67.5, 1},
        {VK_DOWN, 0, 0, 1},       {VK_INSERT, -90, -67.5, 1},  {VK_DELETE, 0, 0, 1},
        {VK_RIGHT, 90, 0, 1},     {VK_HOME, 0, 0, 1},          {'2', 0, 0, 2},
        {VK_RIGHT, 90, 0, 2},     {'1', 0, 0, 1},              {'1', 0, 0, 1},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.key);
        Send(WM_KEYDOWN, step.key);
        double x = 0;
        double y = 0;
        PointerToTable(0, kClientHeight, &x, &y);
        EXPECT_NEAR(x, step.x, 1e-9);
        EXPECT_NEAR(y, step.y, 1e-9);
        const double zoom = step.key == VK_INSERT ? 1.25 : 1;
        PointerToTable(kClientWidth, 0, &x, &y);
        EXPECT_NEAR(x, step.x + 720 * zoom, 1e-9);
        EXPECT_NEAR(y, step.y + 540 * zoom, 1e-9);
        EXPECT_EQ(g_canvas->scale, step.scale);
        EXPECT_EQ(g_canvas->width, kClientWidth * step.scale);
        EXPECT_EQ(g_canvas->height, kClientHeight * step.scale);
    }
    // "C" turns the contrast stretch of scientific pictures on, and again off.
    for (const std::int16_t stretch : {1, 0}) {
        Send(WM_KEYDOWN, 'C');
        EXPECT_EQ(g_contrastStretch, stretch);
    }
    // The top row of the client area maps to the canvas row just above the last; positions left
    // of and above the window (a held mouse) are negative, not wrapped to 65535.
    double x = 0;
    double y = 0;
    PointerToTable(0, 0, &x, &y);
    EXPECT_DOUBLE_EQ(x, 0);
    EXPECT_DOUBLE_EQ(y, 540);
    PointerToTable(-64, -48, &x, &y);
    EXPECT_DOUBLE_EQ(x, -72);
    EXPECT_DOUBLE_EQ(y, 594);
}

// A 2 × 2 cut at cell size 150 (pitch 223, snapping within 55 across and 278 along a seam), the
// four pieces laid out of reach of one another.
TEST_F(MainWindowTest, TheMouseGrabsDragsAndDropsGroups) {
    g_cellSize = 150;
    ASSERT_TRUE(GeneratePuzzle());
    ASSERT_EQ(g_groups.count, 4);
    Group* a = GroupOfPiece(1001);
    Group* b = GroupOfPiece(1002);
    Group* c = GroupOfPiece(2001);
    Group* d = GroupOfPiece(2002);
    const std::pair<Group*, POINT> layout[] = {{a, {150, 130}}, {b, {570, 130}}, {c, {150, 410}}, {d, {570, 410}}};
    for (const auto& [group, at] : layout) {
        group->x = at.x;
        group->y = at.y;
    }

    // A press on empty table holds nothing; the following move and release change nothing.
    Send(WM_LBUTTONDOWN, MK_LBUTTON, PointerOver(360, 270));
    EXPECT_EQ(g_draggedGroup, nullptr);
    Send(WM_MOUSEMOVE, MK_LBUTTON, PointerOver(150, 130));
    Send(WM_LBUTTONUP, 0, PointerOver(150, 130));
    EXPECT_EQ(a->x, 150);
    // A held left of and below its centre, at (139.5, 120.375), and let go without a move stays
    // exactly where it was, on top.
    Send(WM_LBUTTONDOWN, MK_LBUTTON, PointerOver(140, 120));
    Send(WM_LBUTTONUP, 0, PointerOver(140, 120));
    EXPECT_EQ(a->x, 150);
    EXPECT_EQ(a->y, 130);

    // B dropped about one pitch right of A snaps beside it, and the pair sinks to the bottom.
    Send(WM_LBUTTONDOWN, MK_LBUTTON, PointerOver(570, 130));
    EXPECT_EQ(g_draggedGroup, b);
    EXPECT_EQ(RecordOf<Group>(g_groups.last), b);
    EXPECT_EQ(GetCapture(), window);
    Send(WM_MOUSEMOVE, MK_LBUTTON, PointerOver(380, 140));
    // The screen follows the pointer: the drag frame is the full frame of B where it is held now.
    const std::size_t frameBytes = kClientWidth * kClientHeight * 3;
    const std::vector<std::uint8_t> dragged(g_canvas->display, g_canvas->display + frameBytes);
    ComposeFrame(kDraggedGroupMoved | kRestingGroupsChanged);
    EXPECT_TRUE(std::equal(dragged.begin(), dragged.end(), g_canvas->display));
    Send(WM_LBUTTONUP, 0, PointerOver(380, 140));
    EXPECT_EQ(g_draggedGroup, nullptr);
    EXPECT_EQ(GetCapture(), nullptr);
    ASSERT_EQ(g_groups.count, 3);
    Group* pair = RecordOf<Group>(g_groups.first);
    EXPECT_EQ(pair->members.count, 2);
    const Piece* left = RecordOf<PieceLink>(pair->members.first)->piece;
    const Piece* right = RecordOf<PieceLink>(pair->members.last)->piece;
    EXPECT_EQ(std::abs(right->offsetX - left->offsetX), 223);
    EXPECT_EQ(right->offsetY, left->offsetY);

    // D, grabbed off its centre and dropped where it fits nothing, stays there, on top: the pointer
    // went from (589.5, 429.75) to (490.5, 519.75), and D moved by exactly as much.
    Send(WM_LBUTTONDOWN, MK_LBUTTON, PointerOver(590, 430));
    Send(WM_MOUSEMOVE, MK_LBUTTON, PointerOver(490, 520));
    Send(WM_LBUTTONUP, 0, PointerOver(490, 520));
    EXPECT_EQ(RecordOf<Group>(g_groups.last), d);
    EXPECT_EQ(d->x, 471);
    EXPECT_EQ(d->y, 500);

    // Released outside the window, C is dropped there: left of and above the table.
    Send(WM_LBUTTONDOWN, MK_LBUTTON, PointerOver(150, 410));
    Send(WM_MOUSEMOVE, MK_LBUTTON, Pointer(-20, -20));
    Send(WM_LBUTTONUP, 0, Pointer(-20, -20));
    EXPECT_EQ(g_draggedGroup, nullptr);
    EXPECT_LT(c->x, 0);
    EXPECT_GT(c->y, 540);

    // Losing the mouse to another window drops the held group where it was last moved: the pointer
    // from (470.25, 499.5) to (499.5, 480.375), whole units 470, 499 to 499, 480.
    Send(WM_LBUTTONDOWN, MK_LBUTTON, PointerOver(470, 500));
    Send(WM_MOUSEMOVE, MK_LBUTTON, PointerOver(500, 480));
    ReleaseCapture();
    EXPECT_EQ(g_draggedGroup, nullptr);
    EXPECT_EQ(d->x, 500);
    EXPECT_EQ(d->y, 481);
}

// Cell size 200 (pitch 299) cuts the picture into two pieces. The drop that joins them says so
// once, owned by the main window; a drop of the finished puzzle, or of one resumed finished, does not.
TEST_F(MainWindowTest, TheJoinThatSolvesThePuzzleSaysSoOnce) {
    g_cellSize = 200;
    ASSERT_TRUE(CutPuzzleInPlay(L"window.fits", GetTickCount64()));
    ASSERT_EQ(g_groups.count, 2);
    GroupOfPiece(1001)->x = 200;
    GroupOfPiece(1002)->x = 600;
    GroupOfPiece(1001)->y = GroupOfPiece(1002)->y = 270;
    ForgetShownMessages();
    Send(WM_LBUTTONDOWN, MK_LBUTTON, PointerOver(600, 270));
    Send(WM_MOUSEMOVE, MK_LBUTTON, PointerOver(510, 280));
    Send(WM_LBUTTONUP, 0, PointerOver(510, 280));
    ASSERT_EQ(g_groups.count, 1);
    ASSERT_EQ(ShownMessages().size(), 1u);
    EXPECT_EQ(ShownMessages()[0].text.rfind(L"Solved: all 2 pieces are in place.\n\nTime played: 0:00:0", 0), 0u);

    const auto dropFinished = [&] {
        const Group* whole = RecordOf<Group>(g_groups.first);
        Send(WM_LBUTTONDOWN, MK_LBUTTON, PointerOver(whole->x, whole->y));
        Send(WM_LBUTTONUP, 0, PointerOver(whole->x + 40, whole->y));
    };
    dropFinished();
    PuzzleRecord record = {};
    record.cellSize = 200;
    record.rows = 1;
    record.columns = 2;
    record.seed = g_puzzleInPlay.origin.seed;
    ASSERT_TRUE(CapturePuzzle(&record));
    ClearPuzzle();
    ASSERT_TRUE(ContinuePuzzleInPlay(record, GetTickCount64()));
    dropFinished();
    EXPECT_EQ(ShownMessages().size(), 1u);
}

// Windows ending the session stores the puzzle in play, as closing the window does, and lets the
// session end.
TEST_F(MainWindowTest, TheEndOfTheSessionStoresThePuzzleInPlay) {
    ASSERT_TRUE(NameProgressFolder(MakeTestFolder("session").c_str()));
    ReleasePicture();
    const std::wstring path = WriteTestFile("session.fits", MakeFitsPicture(8, 640, 480));
    g_sourceImage = new SourceImage;
    ASSERT_EQ(LoadSourceImage(path.c_str()), 1);
    ASSERT_TRUE(CutPuzzleInPlay(path.c_str(), GetTickCount64()));
    for (const auto& [message, x] : {std::pair{WM_QUERYENDSESSION, 5}, {WM_ENDSESSION, 6}}) {
        RecordOf<Group>(g_groups.first)->x = x;
        EXPECT_EQ(Send(message, TRUE), message == WM_QUERYENDSESSION ? TRUE : 0);
        PuzzleRecord record;
        ASSERT_TRUE(FindStoredPuzzle(path.c_str(), 64, &record));
        EXPECT_EQ(record.groups[0].x, x);
    }
    NameProgressFolder(L"");
}

TEST_F(MainWindowTest, SizingAndMinimisingKeepThePuzzleAndPaintingShowsTheFrame) {
    ASSERT_TRUE(GeneratePuzzle());
    const auto before = Places();

    ShowWindow(window, SW_MINIMIZE);
    EXPECT_EQ(g_canvas->width, 0);
    EXPECT_EQ(Places(), before);
    ShowWindow(window, SW_RESTORE);
    EXPECT_EQ(g_canvas->width, kClientWidth);
    EXPECT_EQ(Places(), before);
    double x = 0;
    double y = 0;
    PointerToTable(0, kClientHeight, &x, &y);
    EXPECT_DOUBLE_EQ(x, 0);
    EXPECT_DOUBLE_EQ(y, 0);

    // A wide window widens the table to its shape around the picture's 480 rows: 540 units high
    // and 540 × 801 / 401 = 1078.65 wide. The display rows are padded to 804 pixels, which the
    // window clips. While the frame is being dragged, only its end refits.
    Send(WM_ENTERSIZEMOVE);
    SetClientSize(801, 401);
    EXPECT_EQ(g_canvas->width, kClientWidth);
    Send(WM_EXITSIZEMOVE);
    EXPECT_EQ(g_tableWidth, 1078);
    EXPECT_EQ(g_tableHeight, 540);
    EXPECT_EQ(g_canvas->width, 804);

    // The window shows the display rows bottom up; GetPixel counts rows from the top.
    UpdateWindow(window);
    HDC screen = GetDC(window);
    int differing = 0;
    for (int row = 0; row < 401; row += 5) {
        for (int column = 0; column < 801; column += 5) {
            const std::uint8_t* shown = g_canvas->display + ((400 - row) * 804 + column) * 3;
            differing += GetPixel(screen, column, row) != RGB(shown[2], shown[1], shown[0]);
        }
    }
    EXPECT_EQ(differing, 0);
    ReleaseDC(window, screen);
}

namespace {

// Runs inside the modal loop of the dialog the menu opened: loads another picture, which clears
// the puzzle, and cancels.
void CALLBACK ChooseAndCancel(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    HWND dialog = FindWindowW(nullptr, L"Load Image");
    ASSERT_NE(dialog, nullptr);
    wcscpy(g_imagePath, WriteTestFile("other.fits", MakeFitsPicture(8, 320, 240)).c_str());
    LoadChosenPicture(dialog, true);
    SendMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
}

}  // namespace

TEST_F(MainWindowTest, CancellingADialogThatReplacedThePictureShowsTheEmptyTable) {
    ASSERT_TRUE(GeneratePuzzle());
    ComposeFrame(kRestingGroupsChanged);
    const std::vector<std::uint8_t> puzzle(g_canvas->display, g_canvas->display + 640 * 480 * 3);
    SetTimer(nullptr, 0, 10, ChooseAndCancel);
    Send(WM_COMMAND, IDM_LOAD_IMAGE);
    EXPECT_EQ(g_groups.count, 0);
    const std::vector<std::uint8_t> shown(g_canvas->display, g_canvas->display + 640 * 480 * 3);
    EXPECT_NE(shown, puzzle);
    EXPECT_EQ(std::count(shown.begin(), shown.end(), 128), static_cast<long>(shown.size()));
}
