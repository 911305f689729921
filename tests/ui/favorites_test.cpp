#include "ui/favorites.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/test_files.h"

#ifndef _WIN32
#include <unistd.h>

#include "platform/posix/utf8_path.h"
#endif

namespace {

using Bytes = std::vector<unsigned char>;

// The bytes of `text` as UTF-16 little-endian code units, for ASCII text.
Bytes Utf16(const std::string& text) {
    Bytes bytes;
    for (const char c : text) {
        bytes.push_back(static_cast<unsigned char>(c));
        bytes.push_back(0);
    }
    return bytes;
}

Bytes operator+(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

const Bytes kUtf16Mark = {0xFF, 0xFE};

std::vector<std::wstring> Paths() {
    std::vector<std::wstring> paths;
    for (ListItem* it = g_favorites.first; it != nullptr; it = it->next) paths.push_back(RecordOf<Favorite>(it)->path);
    return paths;
}

Favorite* NewFavorite(const std::wstring& path) {
    auto* favorite = new Favorite;
    CopyPath(favorite->path, path.c_str());
    return favorite;
}

// Each case starts with no favourites and a favourites file of its own in a fresh folder.
class Favorites : public testing::Test {
protected:
    void SetUp() override {
        MakeTestFolder("fav");
        UseFile("fav/Favorites.txt");
    }
    void TearDown() override {
        Clear<Favorite>(&g_favorites);
        g_favoritesDirty = 0;
        g_favoritesPath[0] = L'\0';
    }
    static void UseFile(const std::string& name) {
        CopyPath(g_favoritesPath, MissingTestFile(name).c_str());
    }
    static void Load(const Bytes& file) {
        WriteTestFile("fav/Favorites.txt", file);
        Clear<Favorite>(&g_favorites);
        ASSERT_TRUE(LoadFavorites());
    }
    static Bytes Saved() { return ReadTestFile("fav/Favorites.txt"); }
};

}  // namespace

TEST_F(Favorites, SavedFileIsMarkedUtf16WithCrLfLinesInListOrder) {
    ASSERT_TRUE(SaveFavorites());
    EXPECT_EQ(Saved(), kUtf16Mark);  // an empty list is the mark alone

    PushBack(&g_favorites, &NewFavorite(L"C:\\b.jpg")->links);  // list order, not sorted order
    PushBack(&g_favorites, &NewFavorite(L"a")->links);
    ASSERT_TRUE(SaveFavorites());
    EXPECT_EQ(Saved(), kUtf16Mark + Utf16("C:\\b.jpg\r\na\r\n"));
    EXPECT_FALSE(TestPathExists("fav/Favorites.txt.tmp"));
}

TEST_F(Favorites, NonAsciiAndSupplementaryPathsRoundTripAsSurrogatePairs) {
    const std::wstring path = L"\u00e9\U0001F315\u263E";
    PushBack(&g_favorites, &NewFavorite(path)->links);
    ASSERT_TRUE(SaveFavorites());
    // U+1F315 is the pair D83C DF15.
    const Bytes line = {0xE9, 0x00, 0x3C, 0xD8, 0x15, 0xDF, 0x3E, 0x26};
    EXPECT_EQ(Saved(), kUtf16Mark + line + Utf16("\r\n"));

    Load(Saved());
    EXPECT_EQ(Paths(), std::vector<std::wstring>{path});
}

TEST_F(Favorites, ReadingHonoursEachMarkAndTakesUnmarkedFilesAsUtf16) {
    Load(kUtf16Mark + Utf16("a\r\nb\r\n"));
    EXPECT_EQ(Paths(), (std::vector<std::wstring>{L"a", L"b"}));

    Load(Utf16("c\r\nd"));  // no mark, and no line end after the last line
    EXPECT_EQ(Paths(), (std::vector<std::wstring>{L"c", L"d"}));

    Load({0xEF, 0xBB, 0xBF, 'x', 0xC3, 0xA9, '\r', '\n', 0xF0, 0x9F, 0x8C, 0x95, '\n'});
    EXPECT_EQ(Paths(), (std::vector<std::wstring>{L"x\u00e9", L"\U0001F315"}));
    // Broken UTF-8 gives replacement characters and loses none of the characters around it.
    Load({0xEF, 0xBB, 0xBF, 'a', 0xC3, 'b', 0xFF, 0xED, 0xA0, 0x80, '\n'});
    EXPECT_EQ(Paths(), (std::vector<std::wstring>{L"a\uFFFDb\uFFFD\uFFFD"}));

    WriteTestFile("fav/Favorites.txt", Bytes{0xFE, 0xFF, 0x00, 'a'});
    Clear<Favorite>(&g_favorites);
    EXPECT_FALSE(LoadFavorites());  // big-endian counts as missing
    EXPECT_EQ(g_favorites.count, 0);
    UseFile("fav/absent.txt");
    EXPECT_FALSE(LoadFavorites());
    EXPECT_EQ(g_favorites.count, 0);
    EXPECT_EQ(g_favoritesDirty, 0);
}

TEST_F(Favorites, TrailingBlanksGoBlankLinesStayAndBothAreWrittenBackThatWay) {
    Load(kUtf16Mark + Utf16(" a \t\r\n  \t\r\n\r\nb\x01\x1F\nc"));
    EXPECT_EQ(Paths(), (std::vector<std::wstring>{L" a", L"", L"", L"b", L"c"}));
    ASSERT_TRUE(SaveFavorites());
    EXPECT_EQ(Saved(), kUtf16Mark + Utf16(" a\r\n\r\n\r\nb\r\nc\r\n"));
}

TEST_F(Favorites, LoneSurrogatesAreWrittenBackUnchanged) {
    const Bytes file = kUtf16Mark + Bytes{0x00, 0xD8, 'a', 0, 0x00, 0xDC, 0x0D, 0, 0x0A, 0};
    Load(file);
    ASSERT_EQ(g_favorites.count, 1);
    ASSERT_TRUE(SaveFavorites());
    EXPECT_EQ(Saved(), file);
}

TEST_F(Favorites, LinesLongerThanAnEntryHoldsAreSkippedNotCutOrSplit) {
    const std::string longest(259, 'x');
    const std::string tooLong(260, 'y');
    Load(kUtf16Mark + Utf16(longest + "    \r\n" + tooLong + "\r\nz\r\n" + tooLong));
    EXPECT_EQ(Paths(), (std::vector<std::wstring>{std::wstring(259, L'x'), L"z"}));
}

TEST_F(Favorites, AddFavoriteKeepsOrdinalOrderAndIgnoresDuplicates) {
    for (const wchar_t* path : {L"c", L"a", L"b"}) AddFavorite(NewFavorite(path));
    EXPECT_EQ(Paths(), (std::vector<std::wstring>{L"a", L"b", L"c"}));
    EXPECT_EQ(g_favoritesDirty, 1);

    g_favoritesDirty = 0;
    AddFavorite(NewFavorite(L"b"));  // freed: the sanitized build reports it otherwise
    EXPECT_EQ(Paths(), (std::vector<std::wstring>{L"a", L"b", L"c"}));
    EXPECT_EQ(g_favoritesDirty, 0);

    // Case-sensitive, capitals first; a prefix sorts before the longer path.
    AddFavorite(NewFavorite(L"B"));
    AddFavorite(NewFavorite(L"ab"));
    EXPECT_EQ(Paths(), (std::vector<std::wstring>{L"B", L"a", L"ab", L"b", L"c"}));
    EXPECT_EQ(g_favoritesDirty, 1);
}

TEST_F(Favorites, AddFavoriteComparesUtf16CodeUnitsOnEveryHost) {
    // As UTF-16, U+10000 starts with D800 and sorts before U+FF01; as code points it would not.
    AddFavorite(NewFavorite(L"\uFF01"));
    AddFavorite(NewFavorite(L"\U00010000"));
    AddFavorite(NewFavorite(L"\uD7FF"));
    EXPECT_EQ(Paths(), (std::vector<std::wstring>{L"\uD7FF", L"\U00010000", L"\uFF01"}));
}

TEST_F(Favorites, AHandEditedDescendingFileKeepsItsOrderAndNewPathsFollowTheWalkFromTheEnd) {
    Load(kUtf16Mark + Utf16("c\r\nb\r\na\r\n"));
    EXPECT_EQ(g_favoritesDirty, 0);
    AddFavorite(NewFavorite(L"bb"));  // a is smaller: right after it
    AddFavorite(NewFavorite(L"0"));   // smaller than every entry: first
    AddFavorite(NewFavorite(L"a"));   // met before any smaller entry: a duplicate
    EXPECT_EQ(Paths(), (std::vector<std::wstring>{L"0", L"c", L"b", L"a", L"bb"}));
    ASSERT_TRUE(SaveFavorites());
    EXPECT_EQ(Saved(), kUtf16Mark + Utf16("0\r\nc\r\nb\r\na\r\nbb\r\n"));
}

TEST_F(Favorites, AFailedSaveLeavesTheOldFileWholeAndTheListMarkedChanged) {
    const Bytes old = kUtf16Mark + Utf16("old\r\n");
    WriteTestFile("fav/Favorites.txt", old);
    AddFavorite(NewFavorite(L"new"));

    // The temporary file cannot be created: a folder has its name.
    MakeTestFolder("fav/Favorites.txt.tmp");
    EXPECT_FALSE(SaveFavorites());
    EXPECT_EQ(Saved(), old);
    EXPECT_EQ(g_favoritesDirty, 1);

    // The replacing fails: a folder has the favourites file's name. The temporary file goes.
    MakeTestFolder("fav");
    MakeTestFolder("fav/Favorites.txt");
    EXPECT_FALSE(SaveFavorites());
    EXPECT_EQ(TestFolderContents("fav"), std::vector<std::string>{"Favorites.txt"});
    EXPECT_EQ(g_favoritesDirty, 1);

    // The folder is gone: nothing is written anywhere.
    UseFile("fav/gone/Favorites.txt");
    EXPECT_FALSE(SaveFavorites());
    EXPECT_FALSE(TestPathExists("fav/gone"));

    // No data folder, no file name: nothing to write to.
    g_favoritesPath[0] = L'\0';
    EXPECT_FALSE(SaveFavorites());
    EXPECT_FALSE(LoadFavorites());
}

#ifndef _WIN32
TEST_F(Favorites, AWriteThatRunsOutOfSpaceLeavesTheOldFileWhole) {
    if (access("/dev/full", W_OK) != 0) GTEST_SKIP() << "no /dev/full to fail the writes";
    const Bytes old = kUtf16Mark + Utf16("old\r\n");
    WriteTestFile("fav/Favorites.txt", old);
    AddFavorite(NewFavorite(L"new"));
    const std::string temporary = ToUtf8(g_favoritesPath) + ".tmp";
    ASSERT_EQ(symlink("/dev/full", temporary.c_str()), 0);
    EXPECT_FALSE(SaveFavorites());
    EXPECT_EQ(Saved(), old);
    EXPECT_FALSE(TestPathExists("fav/Favorites.txt.tmp"));
}
#endif
