#include <windows.h>

#include <gtest/gtest.h>

#include <cwchar>
#include <functional>
#include <string>

#include "loaders/source_image.h"
#include "model/geometry.h"
#include "model/group.h"
#include "model/random.h"
#include "model/table.h"
#include "platform/message_box.h"
#include "progress/progress_folder.h"
#include "render/canvas.h"
#include "render/view.h"
#include "shell/resource_ids.h"
#include "support/test_files.h"
#include "tools/test_pictures.h"
#include "ui/favorites.h"
#include "ui/favorites_dialog.h"
#include "ui/load_image_dialog.h"
#include "ui/picture_loading.h"

namespace {

// Runs the real modal dialog; `script` runs inside its message loop once it is shown and must
// close it. The dialog's result is returned.
DLGPROC g_procedure = nullptr;
std::function<void(HWND)> g_script;
constexpr UINT kRunScript = WM_APP + 1;

INT_PTR CALLBACK Scripted(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kRunScript) {
        g_script(dialog);
        if (IsWindowVisible(dialog)) EndDialog(dialog, 99);  // a failed script still closes it
        return TRUE;
    }
    const INT_PTR result = g_procedure(dialog, message, wParam, lParam);
    if (message == WM_INITDIALOG) PostMessageW(dialog, kRunScript, 0, 0);
    return result;
}

INT_PTR RunDialog(int resource, DLGPROC procedure, std::function<void(HWND)> script) {
    g_procedure = procedure;
    g_script = std::move(script);
    return DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(resource), nullptr, Scripted, 0);
}

void Press(HWND dialog, int control, WORD notification = 0) {
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(control, notification), 0);
}

void Scroll(HWND dialog, int code) { SendMessageW(dialog, WM_HSCROLL, MAKEWPARAM(code, 0), 0); }

std::wstring TextOf(HWND dialog, int control) {
    wchar_t text[kPathCapacity] = {};
    GetDlgItemTextW(dialog, control, text, kPathCapacity);
    return text;
}

SCROLLINFO ScrollBarOf(HWND dialog) {
    SCROLLINFO bar = {};
    bar.cbSize = sizeof(bar);
    bar.fMask = SIF_ALL;
    GetScrollInfo(GetDlgItem(dialog, IDC_CELL_SIZE), SB_CTL, &bar);
    return bar;
}

// The thumb of a scroll bar stops a page short of its range's end.
int LargestPosition(const SCROLLINFO& bar) { return bar.nMax - static_cast<int>(bar.nPage) + 1; }

void Choose(const std::wstring& path) { wcscpy(g_imagePath, path.c_str()); }

void AddToList(const std::wstring& path) {
    auto* favorite = new Favorite;
    wcscpy(favorite->path, path.c_str());
    AddFavorite(favorite);
}

class DialogTest : public testing::Test {
protected:
    void SetUp() override {
        g_cellSize = 64;
        g_imagePath[0] = L'\0';
        g_favoritesDirty = 0;
        ForgetShownMessages();
        picture = WriteTestFile("dialog.fits", MakeFitsPicture(8, 640, 480));
        tiny = WriteTestFile("tiny.img", MakePdsPicture(PdsSampleLayouts()[0], 20, 20));
    }
    void TearDown() override {
        ClearPuzzle();
        if (g_sourceImage != nullptr) ReleaseSourceImage(g_sourceImage);
        delete g_sourceImage;
        g_sourceImage = nullptr;
        Clear<Favorite>(&g_favorites);
    }
    std::wstring picture;
    std::wstring tiny;
};

}  // namespace

TEST_F(DialogTest, LoadImageFollowsThePictureWithTheCellSizeAndKeepsItOnCancel) {
    const INT_PTR result = RunDialog(IDD_LOAD_IMAGE, LoadImageDialogProc, [this](HWND dialog) {
        // Without a picture: empty label and range, and scrolling and adding do nothing.
        EXPECT_EQ(TextOf(dialog, IDC_PIECES), L"");
        Scroll(dialog, SB_LINERIGHT);
        Press(dialog, IDC_ADD_FAVORITE);
        EXPECT_EQ(g_cellSize, 64);

        Choose(picture);
        ASSERT_TRUE(LoadChosenPicture(dialog, true));
        EXPECT_EQ(TextOf(dialog, IDC_PATH), picture);
        // 640 × 480 at cell 64: pitch 95, 5 rows of 6 pieces; the range 8 to 160 in pages of 9.
        EXPECT_EQ(TextOf(dialog, IDC_PIECES), L"30 Pieces");
        const SCROLLINFO bar = ScrollBarOf(dialog);
        EXPECT_EQ(bar.nMin, 8);
        EXPECT_EQ(LargestPosition(bar), 160);
        EXPECT_EQ(bar.nPage, 9u);
        EXPECT_EQ(bar.nPos, 64);
        // Page steps stop at the minimum; a line step below it is held there by the scroll bar.
        const struct {
            int code;
            int cellSize;
            const wchar_t* label;
        } steps[] = {
            {SB_PAGELEFT, 55, L"48 Pieces"},  // margin 26, pitch 80: 6 × 8
            {SB_PAGERIGHT, 64, L"30 Pieces"},
            {SB_PAGELEFT, 55, nullptr}, {SB_PAGELEFT, 46, nullptr}, {SB_PAGELEFT, 37, nullptr},
            {SB_PAGELEFT, 28, nullptr}, {SB_PAGELEFT, 19, nullptr}, {SB_PAGELEFT, 10, nullptr},
            {SB_PAGELEFT, 8, L"2494 Pieces"},  // margin 4, pitch 11: 43 × 58
            {SB_LINELEFT, 8, L"2494 Pieces"},
            {SB_LINERIGHT, 9, L"2120 Pieces"},  // margin 4, pitch 12: 40 × 53
        };
        for (const auto& step : steps) {
            Scroll(dialog, step.code);
            EXPECT_EQ(g_cellSize, step.cellSize);
            EXPECT_EQ(ScrollBarOf(dialog).nPos, step.cellSize);
            if (step.label != nullptr) {
                EXPECT_EQ(TextOf(dialog, IDC_PIECES), step.label);
            }
        }
        // A page right from 152 stops at the largest size, where the thumb stays when the click
        // ends and a line step cannot pass it.
        SetScrollPos(GetDlgItem(dialog, IDC_CELL_SIZE), SB_CTL, 152, FALSE);
        for (const int code : {SB_PAGERIGHT, SB_ENDSCROLL, SB_LINERIGHT, SB_ENDSCROLL}) {
            Scroll(dialog, code);
            EXPECT_EQ(g_cellSize, 160) << code;
            EXPECT_EQ(ScrollBarOf(dialog).nPos, 160) << code;
        }

        // A picture that cannot be loaded is reported with its path and leaves no picture.
        Choose(MissingTestFile("gone.jpg"));
        EXPECT_FALSE(LoadChosenPicture(dialog, true));
        ASSERT_EQ(ShownMessages().size(), 1u);
        EXPECT_EQ(ShownMessages()[0].text, L"Unable to load image");
        EXPECT_EQ(ShownMessages()[0].caption, std::wstring(g_imagePath));
        EXPECT_EQ(g_sourceImage, nullptr);

        // 20 × 20: the range is only the smallest cell size, which makes one piece.
        Choose(tiny);
        ASSERT_TRUE(LoadChosenPicture(dialog, true));
        EXPECT_EQ(TextOf(dialog, IDC_PIECES), L"1 Pieces");
        EXPECT_EQ(LargestPosition(ScrollBarOf(dialog)), 8);
        EXPECT_EQ(ScrollBarOf(dialog).nPage, 1u);
        Press(dialog, IDC_ADD_FAVORITE);
        Press(dialog, IDCANCEL);
    });
    EXPECT_EQ(result, IDCANCEL);
    ASSERT_NE(g_sourceImage, nullptr);
    EXPECT_EQ(g_sourceImage->width, 20);
    EXPECT_EQ(g_groups.count, 0);
    ASSERT_EQ(g_favorites.count, 1);
    EXPECT_EQ(std::wstring(RecordOf<Favorite>(g_favorites.first)->path), tiny);
    EXPECT_EQ(g_favoritesDirty, 1);
}

TEST_F(DialogTest, OkCutsThePictureOrSaysWhyItCannot) {
    Choose(picture);
    const INT_PTR result = RunDialog(IDD_LOAD_IMAGE, LoadImageDialogProc, [](HWND dialog) {
        ASSERT_TRUE(LoadChosenPicture(dialog, true));
        // A grid whose ids would not fit 32 bits is refused; the dialog stays for another size.
        const std::int32_t width = g_sourceImage->width;
        const std::int32_t height = g_sourceImage->height;
        g_sourceImage->width = g_sourceImage->height = 2147483647;
        g_cellSize = 8;
        Press(dialog, IDOK);
        EXPECT_TRUE(IsWindowVisible(dialog));
        EXPECT_EQ(g_groups.count, 0);
        ASSERT_EQ(ShownMessages().size(), 1u);
        EXPECT_EQ(ShownMessages()[0].caption, std::wstring(g_imagePath));
        g_sourceImage->width = width;
        g_sourceImage->height = height;
        g_cellSize = 64;
        Press(dialog, IDOK);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(g_groups.count, 30);
}

TEST_F(DialogTest, FavoritesPreselectsLoadsAtRandomAndDeletes) {
    AddToList(tiny);
    AddToList(picture);
    Choose(L"elsewhere.fits");
    RunDialog(IDD_FAVORITES, FavoritesDialogProc, [](HWND dialog) {
        // Not a favourite: the first entry is selected, and nothing is loaded yet.
        EXPECT_EQ(SendDlgItemMessageW(dialog, IDC_PATH, CB_GETCURSEL, 0, 0), 0);
        EXPECT_EQ(g_sourceImage, nullptr);
        // From state 0 the first two draws are 0.37 and 0.71 of the range: dialog.fits, then tiny.img,
        // each then the entry the list shows.
        g_randomState = 0;
        for (const auto& [entry, width] : {std::pair{0, 640}, {1, 20}}) {
            g_imagePath[0] = L'\0';
            Press(dialog, IDC_RANDOM);
            ASSERT_NE(g_sourceImage, nullptr);
            EXPECT_EQ(g_sourceImage->width, width);
            EXPECT_EQ(SendDlgItemMessageW(dialog, IDC_PATH, CB_GETCURSEL, 0, 0), entry);
        }
        EXPECT_EQ(TextOf(dialog, IDC_PIECES), L"1 Pieces");
        Press(dialog, IDCANCEL);
    });
    RunDialog(IDD_FAVORITES, FavoritesDialogProc, [](HWND dialog) {
        // The current picture, tiny.img, is a favourite: it is the one selected, after
        // dialog.fits, which sorts first.
        EXPECT_EQ(SendDlgItemMessageW(dialog, IDC_PATH, CB_GETCURSEL, 0, 0), 1);
        SendDlgItemMessageW(dialog, IDC_PATH, CB_SETCURSEL, 0, 0);
        Press(dialog, IDC_PATH, CBN_SELCHANGE);
        EXPECT_EQ(g_sourceImage->width, 640);
        // Delete drops the selected favourite from the list and the file-to-be.
        Press(dialog, IDC_DELETE);
        EXPECT_EQ(SendDlgItemMessageW(dialog, IDC_PATH, CB_GETCOUNT, 0, 0), 1);
        Press(dialog, IDC_DELETE);  // nothing is selected now
        EXPECT_EQ(SendDlgItemMessageW(dialog, IDC_PATH, CB_GETCOUNT, 0, 0), 1);
        Press(dialog, IDCANCEL);
    });
    ASSERT_EQ(g_favorites.count, 1);
    EXPECT_EQ(std::wstring(RecordOf<Favorite>(g_favorites.first)->path), tiny);
    EXPECT_EQ(g_favoritesDirty, 1);

    // With no favourites, Random keeps the picture in play and says nothing.
    Clear<Favorite>(&g_favorites);
    RunDialog(IDD_FAVORITES, FavoritesDialogProc, [](HWND dialog) {
        EXPECT_EQ(SendDlgItemMessageW(dialog, IDC_PATH, CB_GETCURSEL, 0, 0), CB_ERR);
        Press(dialog, IDC_RANDOM);
        Press(dialog, IDCANCEL);
    });
    ASSERT_NE(g_sourceImage, nullptr);
    EXPECT_TRUE(ShownMessages().empty());
}

// A reader's refusal is shown while the load is still filling the picture record, and the box's
// loop goes on dispatching the dialog's messages. Whatever reaches the dialog then, in either
// dialog (another favourite, Random, Add To Favorites, the scroll bar, OK), is not acted on: the
// load ends as it would have alone, with no picture, and the dialog stays open.
TEST_F(DialogTest, NothingInTheDialogActsWhileAPictureLoads) {
    const std::wstring unreadable = WriteTestFile("unreadable.fits", std::string("SIMPLE"));
    AddToList(picture);
    for (const auto& [resource, procedure] : {std::pair{IDD_LOAD_IMAGE, LoadImageDialogProc}, {IDD_FAVORITES, FavoritesDialogProc}}) {
        ForgetShownMessages();
        RunDialog(resource, procedure, [&](HWND dialog) {
            WatchShownMessages([dialog](const ShownMessage& shown) {
                if (shown.caption != L"Not a valid FITS file") return;
                SendDlgItemMessageW(dialog, IDC_PATH, CB_SETCURSEL, 0, 0);
                Press(dialog, IDC_PATH, CBN_SELCHANGE);
                Press(dialog, IDC_RANDOM);
                Press(dialog, IDC_ADD_FAVORITE);
                Scroll(dialog, SB_PAGERIGHT);
                Press(dialog, IDOK);
            });
            Choose(unreadable);
            EXPECT_FALSE(LoadChosenPicture(dialog, true));
            WatchShownMessages(nullptr);
            EXPECT_TRUE(IsWindowVisible(dialog));
            Press(dialog, IDCANCEL);
        });
        EXPECT_EQ(g_sourceImage, nullptr);
        EXPECT_EQ(g_favorites.count, 1);
        EXPECT_EQ(g_cellSize, 64);
        ASSERT_EQ(ShownMessages().size(), 2u);
        EXPECT_EQ(ShownMessages()[1].text, L"Unable to load image");
        EXPECT_EQ(ShownMessages()[1].caption, unreadable);
    }
}

// OK on a picture and cell size whose puzzle is stored unsolved asks whether to continue it,
// saying how far it got: Yes brings the stored table back, No cuts afresh. Loading the picture
// again stored the puzzle in play, with its first group moved to (5, 7).
TEST_F(DialogTest, OkOffersToContinueAStoredPuzzle) {
    ASSERT_TRUE(NameProgressFolder(MakeTestFolder("progress").c_str()));
    g_clientRect = PixelRect{0, 0, 640, 480};
    Canvas canvas;
    canvas.InitSize(640, 480);
    View view;
    g_canvas = &canvas;
    g_view = &view;
    const auto loadAndCut = [](HWND dialog) {
        ASSERT_TRUE(LoadChosenPicture(dialog, true));
        Press(dialog, IDOK);
    };
    Choose(picture);
    RunDialog(IDD_LOAD_IMAGE, LoadImageDialogProc, loadAndCut);
    EXPECT_TRUE(ShownMessages().empty());
    const auto movedGroupShown = [] {
        for (ListItem* it = g_groups.first; it != nullptr; it = it->next) {
            if (RecordOf<Group>(it)->x == 5 && RecordOf<Group>(it)->y == 7) return true;
        }
        return false;
    };
    for (const bool yes : {true, false}) {
        RecordOf<Group>(g_groups.first)->x = 5;
        RecordOf<Group>(g_groups.first)->y = 7;
        AnswerQuestions(yes);
        ForgetShownMessages();
        RunDialog(IDD_LOAD_IMAGE, LoadImageDialogProc, loadAndCut);
        ASSERT_EQ(ShownMessages().size(), 1u);
        EXPECT_EQ(ShownMessages()[0].text, L"Continue the puzzle in progress?\n\n0 of 30 pieces are already joined.");
        EXPECT_EQ(g_groups.count, 30);
        EXPECT_EQ(movedGroupShown(), yes);
    }
    AnswerQuestions(false);
    ClearPuzzle();
    g_canvas = nullptr;
    g_view = nullptr;
    NameProgressFolder(L"");
}
