#include <gtest/gtest.h>

#include <cstdint>
#include <cwchar>
#include <string>
#include <vector>

#include "imaging/contrast_stretch.h"
#include "imaging/test_pictures.h"
#include "model/generation.h"
#include "model/joining.h"
#include "model/piece_id.h"
#include "model/puzzle_fixture.h"
#include "platform/file_identity.h"
#include "progress/progress_file.h"
#include "progress/progress_folder.h"
#include "progress/puzzle_arrangement.h"
#include "progress/puzzle_in_play.h"
#include "render/compose_frame.h"
#include "render/view.h"
#include "support/leak_check.h"
#include "support/test_files.h"

namespace {

// A 240 × 160 colour picture cut at cell size 16 (pitch 23): 10 columns, 6 rows, 60 pieces, shown
// in a 200 × 150 window.
class ProgressTest : public PuzzleTest {
protected:
    void SetUp() override {
        PuzzleTest::SetUp();
        g_clientRect = {0, 0, 200, 150};
        g_cellSize = 16;
        canvas = new Canvas;
        g_canvas = canvas;
        canvas->InitSize(200, 150);
        g_view = new View;
        picture.MakeDecoded(240, 160, 3);
        for (int y = 0; y < 160; ++y) {
            for (int x = 0; x < 240; ++x) {
                for (int c = 0; c < 3; ++c) picture.Byte(x, y, c) = static_cast<unsigned char>(x * (c + 1) + y * (3 - c));
            }
        }
        g_sourceImage = &picture.image;
        record.cellSize = 16;
        record.seed = 99;
        record.rows = 6;
        record.columns = 10;
        std::wcscpy(record.picturePath, L"picture.bmp");
        g_randomState = record.seed;
        ASSERT_TRUE(GeneratePuzzle());
    }

    void TearDown() override {
        delete g_view;
        g_view = nullptr;
        delete canvas;
        g_canvas = nullptr;
        g_pixelScale = 1;
        g_backgroundGrey = 128;
        PuzzleTest::TearDown();
    }

    static Group* GroupOf(std::int32_t id) {
        for (Group* group : Groups()) {
            for (Piece* piece : Pieces(group)) {
                if (piece->id == id) return group;
            }
        }
        return nullptr;
    }

    static Piece* PieceOf(std::int32_t id) {
        for (Piece* piece : Pieces(GroupOf(id))) {
            if (piece->id == id) return piece;
        }
        return nullptr;
    }

    // Drops the group of `moved` a few units off the place beside `resting`, as a player would.
    static void DropBeside(std::int32_t moved, std::int32_t resting) {
        Group* group = GroupOf(moved);
        const Piece* a = PieceOf(resting);
        const Piece* b = PieceOf(moved);
        group->x = GroupOf(resting)->x + a->offsetX + (b->homeX - a->homeX) - b->offsetX + 3;
        group->y = GroupOf(resting)->y + a->offsetY + (b->homeY - a->homeY) - b->offsetY - 2;
        RaiseGroup(group);
        g_draggedGroup = group;
        JoinAllDropped();
        g_draggedGroup = nullptr;
    }

    std::vector<unsigned char> Frame() {
        ComposeFrame(kDraggedGroupMoved | kRestingGroupsChanged);
        return std::vector<unsigned char>(canvas->display, canvas->display + canvas->DisplayWidth() * canvas->DisplayHeight() * 3);
    }

    // The text of the stored puzzle as it stands.
    std::string Stored(const std::string& name) {
        EXPECT_TRUE(CapturePuzzle(&record));
        const std::wstring path = MissingTestFile(name);
        EXPECT_TRUE(WriteProgressFile(path.c_str(), record));
        const std::vector<unsigned char> bytes = ReadTestFile(name);
        return std::string(bytes.begin(), bytes.end());
    }

    Canvas* canvas = nullptr;
    TestPicture picture;
    PuzzleRecord record;
};

}  // namespace

// Joined groups, a moved view, another grey, the double scale and the contrast stretch come back
// exactly: the same frame byte for byte, and the same file when stored again.
TEST_F(ProgressTest, ARestoredPuzzleComposesTheFrameItWasStoredFrom) {
    DropBeside(1002, 1001);
    DropBeside(2001, 1001);
    DropBeside(2002, 2001);
    DropBeside(1005, 1004);
    DropBeside(6010, 6009);
    ASSERT_EQ(g_groups.count, 60 - 5);
    g_pixelScale = 2;
    canvas->Resize(200, 150, 2);
    FitTable();
    g_view->Zoom(0.8);
    g_view->Pan(0.125, -0.125);
    g_backgroundGrey = 64;
    g_contrastStretch = 1;
    const std::vector<unsigned char> before = Frame();
    const std::string stored = Stored("round.txt");

    ClearPuzzle();
    g_pixelScale = 1;
    canvas->Resize(200, 150, 1);
    g_backgroundGrey = 128;
    g_contrastStretch = 0;
    g_randomState = 5;
    g_cellSize = 64;
    PuzzleRecord read;
    ASSERT_TRUE(ReadProgressFile(WriteTestFile("round.txt", stored).c_str(), &read));
    ASSERT_TRUE(RestorePuzzle(read));
    EXPECT_EQ(g_randomState, 5u);
    EXPECT_EQ(Frame(), before);
    EXPECT_EQ(Stored("again.txt"), stored);
    g_contrastStretch = 0;
}

// Each bad file is refused whole: no puzzle is left on the table and nothing leaks.
TEST_F(ProgressTest, BadFilesLeaveTheEmptyTable) {
    DropBeside(1002, 1001);
    const std::string good = Stored("good.txt");
    const auto replaced = [&](const std::string& from, const std::string& to) {
        std::string text = good;
        const std::size_t at = text.find(from);
        EXPECT_NE(at, std::string::npos) << from;
        return at == std::string::npos ? text : text.replace(at, from.size(), to);
    };
    // Word `index` (the keyword is word 0) of the first line that starts with `keyword`.
    const auto field = [&](const std::string& keyword, int index, const std::string& to) {
        std::string text = good;
        std::size_t at = text.find("\n" + keyword + " ") + 1;
        for (int i = 0; i < index; ++i) at = text.find(' ', at) + 1;
        return text.replace(at, text.find_first_of(" \n", at) - at, to);
    };
    const struct {
        const char* what;
        std::string text;
    } cases[] = {
        {"empty", ""},
        {"truncated", good.substr(0, good.size() - 6)},
        {"without its end line", replaced("end\n", "")},
        {"foreign", std::string("\xFF\xFEp\0i\0c\0\r\0\n\0", 12)},
        {"future version", replaced("progress 1\n", "progress 2\n")},
        {"piece id out of range", replaced("\n1003\n", "\n1011\n")},
        {"piece listed twice", replaced("\n1003\n", "\n1001\n")},
        {"piece missing", field("groups", 1, "58")},
        {"group off the table", field("group", 1, "99999")},
        {"absurd grid", field("cut", 3, "100000")},
        {"absurd number", field("grey", 1, "99999999999999999999")},
        {"scale beyond 2", field("scale", 1, "3")},
        {"stretch neither off nor on", field("stretch", 1, "2")},
        {"view not a number", field("view", 1, "nan")},
        {"view without size", field("view", 5, "0")},
        {"path longer than the buffers", field("picture", 1, std::string(300, 'p'))},
        {"NUL byte", field("grey", 1, std::string("1\0", 2))},
        {"grid the picture does not give", field("cut", 4, "12")},
        {"shift past 32 bits", field("group", 3, "2147483640")},
    };
    ClearPuzzle();
    // The last two are well-formed: only the restore, after cutting, can refuse them.
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const std::wstring path = WriteTestFile("bad.txt", c.text);
        PuzzleRecord read;
        EXPECT_FALSE(ReadProgressFile(path.c_str(), &read) && RestorePuzzle(read));
        EXPECT_EQ(g_groups.count, 0);
        EXPECT_TRUE(NothingLeaked());
    }
}

// A puzzle of millions of pieces, each on its own far out on a vast table, is stored in a file of
// about 140 MB, which must read back whole like any other.
TEST(ProgressFile, TheLongFilesOfHugePuzzlesReadBack) {
    PuzzleRecord record;
    std::wcscpy(record.picturePath, L"picture.bmp");
    record.cellSize = 8;
    record.rows = record.columns = 1500;
    record.tableWidth = record.tableHeight = 1'000'000'000;
    record.view[0][0] = record.view[1][1] = 1;
    ASSERT_TRUE(AllocateRecord(&record, 1500 * 1500));
    for (std::int32_t g = 0; g < record.groupCount; ++g) {
        record.groups[g] = GroupRecord{-999'999'999, 1'999'999'999, INT32_MIN, INT32_MIN, 1};
        record.members[g] = PieceId(g / 1500 + 1, g % 1500 + 1, IdStride(1500));
    }
    const std::wstring path = MissingTestFile("huge.txt");
    ASSERT_TRUE(WriteProgressFile(path.c_str(), record));
    PuzzleRecord read;
    ASSERT_TRUE(ReadProgressFile(path.c_str(), &read));
    EXPECT_EQ(read.groupCount, 1500 * 1500);
    EXPECT_EQ(read.members[read.groupCount - 1], 15'001'500);
    MissingTestFile("huge.txt");
}

// A puzzle is found again only while its picture is the file it was cut from; the folder keeps the
// newest fifty puzzles, always including the one just stored.
TEST_F(ProgressTest, StoredPuzzlesNeedTheirPictureUnchangedAndOnlyFiftyAreKept) {
    const std::wstring folder = MakeTestFolder("data");
    ASSERT_TRUE(NameProgressFolder(folder.c_str()));
    const std::wstring picturePath = WriteTestFile("picture.bmp", std::string("first"));
    ASSERT_TRUE(CutPuzzleInPlay(picturePath.c_str(), 0));
    PuzzleRecord found;
    EXPECT_TRUE(FindStoredPuzzle(picturePath.c_str(), 16, &found));
    EXPECT_FALSE(FindStoredPuzzle(picturePath.c_str(), 24, &found));
    WriteTestFile("picture.bmp", std::string("second"));
    EXPECT_FALSE(FindStoredPuzzle(picturePath.c_str(), 16, &found));
    MissingTestFile("picture.bmp");
    EXPECT_FALSE(FindStoredPuzzle(picturePath.c_str(), 16, &found));

    for (int i = 0; i < 51; ++i) {
        const std::wstring other = L"picture " + std::to_wstring(i);
        std::wcscpy(g_puzzleInPlay.origin.picturePath, other.c_str());
        ASSERT_TRUE(StorePuzzleInPlay(0));
    }
    EXPECT_EQ(TestFolderContents("data/Puzzles in progress").size(), kKeptPuzzles);
    wchar_t last[kPathCapacity];
    FileIdentity kept;
    ASSERT_TRUE(ProgressFilePath(L"picture 50", 16, last));
    EXPECT_TRUE(ReadFileIdentity(last, &kept));
    g_progressFolder[0] = L'\0';
}

// Play time counts only while the clock runs: the window stops it while minimised.
TEST(PlayClock, CountsOnlyWhileRunning) {
    g_puzzleInPlay.playedMs = 100;
    g_puzzleInPlay.since = 1000;
    g_puzzleInPlay.running = true;
    PauseClock(1500);
    EXPECT_EQ(PlayedMs(9000), 600);
    RunClock(10000);
    RunClock(10100);  // already running: the count goes on from 10000
    EXPECT_EQ(PlayedMs(10250), 850);
    g_puzzleInPlay = PuzzleInPlay();
}
