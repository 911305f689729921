#include "ui/data_folder.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "platform/data_folder.h"
#include "platform/folder.h"
#include "platform/path.h"
#include "support/test_files.h"
#include "ui/favorites.h"

#ifndef _WIN32
#include <cstdlib>

#include "platform/posix/utf8_path.h"
#endif

using Names = std::vector<std::string>;

TEST(DataFolder, FirstStartCreatesBothFoldersAndTheNextCreatesNothing) {
    const std::wstring base = MakeTestFolder("appdata");
    const std::wstring expected = base + kFolderSeparator + L"Orvandine" + kFolderSeparator + L"Tesselon";
    wchar_t folder[kPathCapacity];
    ASSERT_TRUE(MakeDataFolder(base.c_str(), folder));
    EXPECT_TRUE(IsFolder(expected.c_str()));
    WriteTestFile("appdata/Orvandine/Tesselon/Favorites.txt", std::string("kept"));
    ASSERT_TRUE(MakeDataFolder(base.c_str(), folder));
    EXPECT_EQ(folder, expected);
    EXPECT_EQ(TestFolderContents("appdata"), Names{"Orvandine"});
    EXPECT_EQ(TestFolderContents("appdata/Orvandine/Tesselon"), Names{"Favorites.txt"});
    ASSERT_TRUE(NameFavoritesFile(folder));
    EXPECT_EQ(g_favoritesPath, expected + kFolderSeparator + L"Favorites.txt");
    g_favoritesPath[0] = L'\0';
}

// Two games started together on a new profile may both find a folder missing; the one whose
// create comes second must find the folder the other made. The two starts are let go at once,
// round after round, so that their looks and creates interleave.
TEST(DataFolder, TwoStartsAtTheSameMomentBothHaveTheFolder) {
    for (int round = 0; round < 200; ++round) {
        const std::wstring base = MakeTestFolder("race");
        std::atomic<int> waiting{2};
        bool made[2] = {};
        wchar_t folders[2][kPathCapacity];
        const auto start = [&](int game) {
            --waiting;
            while (waiting.load() > 0) {
            }
            made[game] = MakeDataFolder(base.c_str(), folders[game]);
        };
        std::thread other(start, 1);
        start(0);
        other.join();
        ASSERT_TRUE(made[0] && made[1]) << "round " << round;
    }
}

TEST(DataFolder, PathsThatDoNotFitOrFoldersThatCannotBeMadeNameNoFile) {
    wchar_t folder[kPathCapacity] = L"stale";
    const std::wstring blocked = MakeTestFolder("blocked");
    WriteTestFile("blocked/Orvandine", std::string());  // a file where the first folder belongs
    EXPECT_FALSE(MakeDataFolder(blocked.c_str(), folder));
    EXPECT_STREQ(folder, L"");
    EXPECT_FALSE(MakeDataFolder(L"", folder));

    // "/Orvandine" after a base of 245 characters still fits, "/Tesselon" after that would not: no
    // folder may be made at a shortened path.
    const std::string deep = "roomy/" + std::string(244 - MakeTestFolder("roomy").size(), 'd');
    const std::wstring roomy = MakeTestFolder(deep);
    ASSERT_EQ(roomy.size(), 245u);
    EXPECT_FALSE(MakeDataFolder(roomy.c_str(), folder));
    for (const std::string& made : TestFolderContents(deep)) EXPECT_EQ(TestFolderContents(deep + "/" + made), Names{});

    // "/Favorites.txt" is 14 characters: after a folder of 245 the path is 259, the most it can be.
    EXPECT_TRUE(NameFavoritesFile(std::wstring(245, L'f').c_str()));
    EXPECT_EQ(std::wstring(g_favoritesPath).size(), 259u);
    EXPECT_FALSE(NameFavoritesFile(std::wstring(246, L'f').c_str()));
    EXPECT_STREQ(g_favoritesPath, L"");
    EXPECT_FALSE(NameFavoritesFile(L""));
}

#ifdef _WIN32

TEST(AppDataFolder, IsTheUsersExistingFolder) {
    // Only read: the tests never create anything in the user's own folder.
    wchar_t folder[kPathCapacity];
    ASSERT_TRUE(AppDataFolder(folder));
    EXPECT_TRUE(IsFolder(folder));
}

#else

namespace {

// Sets an environment variable, or unsets it for null, and puts it back as it was at the end of
// the scope.
struct ScopedVariable {
    ScopedVariable(const char* variable, const char* value) : name(variable), had(std::getenv(name) != nullptr) {
        if (had) old = std::getenv(name);
        Set(value);
    }
    ~ScopedVariable() { Set(had ? old.c_str() : nullptr); }
    void Set(const char* value) const { value != nullptr ? setenv(name, value, 1) : unsetenv(name); }
    const char* name;
    bool had;
    std::string old;
};

}  // namespace

// The variables point into the test run's folder: the user's own data folder is never touched.
// Unset, empty, relative or malformed, XDG_DATA_HOME does not count.
TEST(AppDataFolder, FollowsXdgDataHomeAndElseTheHomeFolder) {
    const std::wstring data = MakeTestFolder("xdg data \xc3\xa9");
    const std::wstring home = MakeTestFolder("home");
    const ScopedVariable homeVariable("HOME", ToUtf8(home.c_str()).c_str());
    const ScopedVariable xdg("XDG_DATA_HOME", (ToUtf8(data.c_str()) + "/").c_str());
    wchar_t folder[kPathCapacity];
    ASSERT_TRUE(PrepareDataFolder(folder));  // the separator at the end is not doubled
    EXPECT_EQ(folder, data + L"/Orvandine/Tesselon");
    for (const char* ignored : {"", "relative/data", "/bad\xff", static_cast<const char*>(nullptr)}) {
        xdg.Set(ignored);
        AppDataFolder(folder);
        EXPECT_EQ(folder, home + L"/.local/share") << (ignored == nullptr ? "unset" : ignored);
    }
    homeVariable.Set(nullptr);
    EXPECT_FALSE(AppDataFolder(folder));
    EXPECT_STREQ(folder, L"");  // no stale path left behind
}

#endif
