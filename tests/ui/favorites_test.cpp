#include "ui/favorites.h"

#include <gtest/gtest.h>

#include <cwchar>
#include <string>
#include <vector>

#include "support/failing_allocation.h"
#include "support/test_files.h"

#ifndef _WIN32
#include <unistd.h>

#include "platform/posix/utf8_path.h"
#endif

namespace {

using Bytes = std::vector<unsigned char>;
using Paths = std::vector<std::wstring>;
using Names = std::vector<std::string>;

const Bytes kMark = {0xFF, 0xFE};

// The code units as UTF-16 little-endian, after the mark unless told otherwise.
Bytes Utf16(const std::u16string& text, bool marked = true) {
    Bytes bytes = marked ? kMark : Bytes{};
    for (const char16_t unit : text) {
        bytes.insert(bytes.end(), {static_cast<unsigned char>(unit), static_cast<unsigned char>(unit >> 8)});
    }
    return bytes;
}

Paths Listed() {
    Paths paths;
    for (ListItem* it = g_favorites.first; it != nullptr; it = it->next) paths.push_back(RecordOf<Favorite>(it)->path);
    return paths;
}

void Add(const std::wstring& path, bool sorted = true) {
    auto* favorite = new Favorite;
    CopyPath(favorite->path, path.c_str());
    sorted ? AddFavorite(favorite) : PushBack(&g_favorites, &favorite->links);
}

// Each case starts with no favourites and a fresh, empty folder for its favourites file.
class Favorites : public testing::Test {
protected:
    void SetUp() override {
        CopyPath(g_favoritesPath, (MakeTestFolder("fav") + kFolderSeparator + L"Favorites.txt").c_str());
    }
    void TearDown() override {
        Clear<Favorite>(&g_favorites);
        g_favoritesDirty = 0;
        g_favoritesPath[0] = L'\0';
    }
};

}  // namespace

// Trailing blanks go, blank lines stay, and a line too long for an entry is skipped whole. A file
// without a mark is UTF-16; one with the big-endian mark counts as missing. Broken UTF-8 gives
// replacement characters and loses none of the characters around it; lone surrogates (D800 and
// DC00) are kept as they are.
TEST_F(Favorites, EachFileIsReadLineByLineAndWrittenBackAsMarkedUtf16WithCrLfInListOrder) {
    const std::u16string longest(259, u'x');
    const std::u16string tooLong(260, u'y');
    const std::u16string blanks =
        u" a \t\r\n  \t\r\n\r\nb\x01\x1F\n" + tooLong + u"\r\n" + longest + u"    \r\nc\r\n" + tooLong;
    const std::u16string pairs = u"\u00e9\U0001F315\u263E\r\n\xD800" u"a\xDC00\r\n";
    const Bytes utf8 = {0xEF, 0xBB, 0xBF, 'x', 0xC3, 0xA9, '\r', '\n', 0xF0, 0x9F, 0x8C, 0x95, '\n',
                        'a',  0xC3, 'b',  0xFF, 0xED, 0xA0, 0x80};
    const struct { Bytes file; bool read; Paths paths; Bytes written; } cases[] = {
        {Utf16(u"b\r\na", false), true, {L"b", L"a"}, Utf16(u"b\r\na\r\n")},  // unsorted, no last line end
        {Utf16(pairs), true, {L"\u00e9\U0001F315\u263E", {0xD800, L'a', 0xDC00}}, Utf16(pairs)},
        {utf8, true, {L"x\u00e9", L"\U0001F315", L"a\uFFFDb\uFFFD\uFFFD"},
         Utf16(u"x\u00e9\r\n\U0001F315\r\na\uFFFDb\uFFFD\uFFFD\r\n")},
        {{0xFE, 0xFF, 0x00, 'a'}, false, {}, kMark},
        {Utf16(blanks), true, {L" a", L"", L"", L"b", std::wstring(259, L'x'), L"c"},
         Utf16(u" a\r\n\r\n\r\nb\r\n" + longest + u"\r\nc\r\n")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.file));
        WriteTestFile("fav/Favorites.txt", c.file);
        Clear<Favorite>(&g_favorites);
        EXPECT_EQ(LoadFavorites(), c.read);
        EXPECT_EQ(Listed(), c.paths);
        MakeTestFolder("fav");
        ASSERT_TRUE(SaveFavorites());
        EXPECT_EQ(ReadTestFile("fav/Favorites.txt"), c.written);
    }
    MakeTestFolder("fav");
    EXPECT_FALSE(LoadFavorites());
    EXPECT_EQ(g_favoritesDirty, 0);
}

// Walking back from the last entry, a new path goes right after the first smaller one, so a
// hand-edited descending file keeps its order. Paths compare as UTF-16 code units: capitals
// before small letters, a prefix before the longer path, and U+10000 (D800 DC00) before U+FF01,
// where comparing code points would put it after.
TEST_F(Favorites, AddFavoriteInsertsInUtf16OrderMarkingTheListChangedUnlessThePathIsThereAlready) {
    const struct { Paths before; const wchar_t* added; Paths after; } cases[] = {
        {{L"b", L"d"}, L"a", {L"a", L"b", L"d"}},
        {{L"b", L"d"}, L"c", {L"b", L"c", L"d"}},
        {{L"b", L"d"}, L"e", {L"b", L"d", L"e"}},
        {{L"b", L"d"}, L"b", {L"b", L"d"}},  // freed: the sanitized build reports it otherwise
        {{L"a", L"b"}, L"B", {L"B", L"a", L"b"}},
        {{L"a", L"b"}, L"ab", {L"a", L"ab", L"b"}},
        {{L"\uFF01"}, L"\U00010000", {L"\U00010000", L"\uFF01"}},
        {{L"c", L"b", L"a"}, L"bb", {L"c", L"b", L"a", L"bb"}},
        {{L"c", L"b", L"a"}, L"a", {L"c", L"b", L"a"}},  // met before any smaller entry
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.added));
        Clear<Favorite>(&g_favorites);
        for (const std::wstring& path : c.before) Add(path, false);
        g_favoritesDirty = 0;
        Add(c.added);
        EXPECT_EQ(Listed(), c.after);
        EXPECT_EQ(g_favoritesDirty, c.after.size() > c.before.size() ? 1 : 0);
    }
}

TEST_F(Favorites, AFailedSaveLeavesTheOldFileWholeRemovesTheNewOneAndKeepsTheListMarkedChanged) {
    const Bytes old = Utf16(u"old\r\n");
    WriteTestFile("fav/Favorites.txt", old);
    Add(L"new");
#ifndef _WIN32
    if (access("/dev/full", W_OK) == 0) {  // every write fails: the disk is full
        std::string temporary = ToUtf8(g_favoritesPath);
        temporary.back() = '~';
        ASSERT_EQ(symlink("/dev/full", temporary.c_str()), 0);
        ASSERT_FALSE(SaveFavorites());  // renamed over the old file, it could never be read to its end
        EXPECT_EQ(TestFolderContents("fav"), Names{"Favorites.txt"});
    }
#endif
    MakeTestFolder("fav/Favorites.tx~");  // the new file cannot be created
    EXPECT_FALSE(SaveFavorites());
    EXPECT_EQ(ReadTestFile("fav/Favorites.txt"), old);
    MakeTestFolder("fav");
    MakeTestFolder("fav/Favorites.txt");  // the new file cannot replace a folder
    EXPECT_FALSE(SaveFavorites());
    EXPECT_EQ(TestFolderContents("fav"), Names{"Favorites.txt"});
    EXPECT_EQ(g_favoritesDirty, 1);
    // A file named by all 259 characters a path holds is still replaced: the new one's name beside
    // it is no longer.
    const std::string deep = "fav/" + std::string(244 - MakeTestFolder("fav").size(), 'd') + "/Favorites.txt";
    CopyPath(g_favoritesPath, WriteTestFile(deep, old).c_str());
    ASSERT_EQ(std::wcslen(g_favoritesPath), 259u);
    EXPECT_TRUE(SaveFavorites());
    EXPECT_EQ(ReadTestFile(deep), Utf16(u"new\r\n"));
}

// Memory that cannot be had for an entry ends the reading without an exception, and the file,
// whose lines the list no longer holds all of, is never written over.
TEST_F(Favorites, AnEntryWithoutMemoryEndsTheReadingAndTheFileStaysAsItWas) {
    if (!CanFailAllocations()) GTEST_SKIP() << "the sanitizer keeps the allocation functions for itself";
    const Bytes file = Utf16(u"a\r\nb\r\nc\r\n");
    WriteTestFile("fav/Favorites.txt", file);
    FailAllocationAfter(1);
    const bool read = LoadFavorites();
    FailAllocationAfter(-1);
    EXPECT_FALSE(read);
    EXPECT_EQ(Listed(), Paths{L"a"});
    Add(L"d");
    EXPECT_FALSE(SaveFavorites());
    EXPECT_EQ(ReadTestFile("fav/Favorites.txt"), file);
}
