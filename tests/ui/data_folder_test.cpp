#include "ui/data_folder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/folder.h"
#include "platform/path.h"
#include "support/test_files.h"
#include "ui/favorites.h"

namespace {

std::wstring Join(const std::wstring& folder, const std::wstring& name) {
    return folder + kFolderSeparator + name;
}

using Names = std::vector<std::string>;

}  // namespace

TEST(DataFolder, FirstStartCreatesBothFoldersAndTheNextCreatesNothing) {
    const std::wstring base = MakeTestFolder("appdata");
    const std::wstring expected = Join(Join(base, L"Orvandine"), L"Tesselon");
    wchar_t folder[kPathCapacity];

    ASSERT_TRUE(MakeDataFolder(base.c_str(), folder));
    EXPECT_EQ(folder, expected);
    EXPECT_EQ(TestFolderContents("appdata"), Names{"Orvandine"});
    EXPECT_EQ(TestFolderContents("appdata/Orvandine"), Names{"Tesselon"});
    EXPECT_TRUE(IsFolder(folder));

    WriteTestFile("appdata/Orvandine/Tesselon/Favorites.txt", std::string("kept"));
    ASSERT_TRUE(MakeDataFolder(base.c_str(), folder));
    EXPECT_EQ(folder, expected);
    EXPECT_EQ(TestFolderContents("appdata"), Names{"Orvandine"});
    EXPECT_EQ(TestFolderContents("appdata/Orvandine/Tesselon"), Names{"Favorites.txt"});

    ASSERT_TRUE(NameFavoritesFile(folder));
    EXPECT_EQ(g_favoritesPath, Join(expected, L"Favorites.txt"));
    g_favoritesPath[0] = L'\0';
}

TEST(DataFolder, PathsThatDoNotFitOrFoldersThatCannotBeMadeNameNoFile) {
    wchar_t folder[kPathCapacity] = L"stale";

    // A file stands where the first folder belongs.
    MakeTestFolder("blocked");
    const std::wstring blocked = WriteTestFile("blocked/Orvandine", std::string());
    const std::wstring base = blocked.substr(0, blocked.size() - 10);
    EXPECT_FALSE(MakeDataFolder(base.c_str(), folder));
    EXPECT_STREQ(folder, L"");

    // With "/Orvandine" the path still fits, with "/Tesselon" as well it would be 260 characters:
    // nothing may be made at a shortened path.
    const std::wstring roomy = MakeTestFolder("roomy");
    const std::string name(245 - roomy.size() - 1, 'd');
    const std::wstring deep = MakeTestFolder("roomy/" + name);
    ASSERT_EQ(deep.size(), 245u);
    EXPECT_FALSE(MakeDataFolder(deep.c_str(), folder));
    EXPECT_STREQ(folder, L"");
    for (const std::string& made : TestFolderContents("roomy/" + name)) {
        EXPECT_EQ(made, "Orvandine");
        EXPECT_EQ(TestFolderContents("roomy/" + name + "/Orvandine"), Names{});
    }
    EXPECT_FALSE(MakeDataFolder(L"", folder));

    // "/Favorites.txt" is 14 characters: after a folder of 245 the path is 259, the most it can be.
    CopyPath(g_favoritesPath, L"stale");
    EXPECT_FALSE(NameFavoritesFile(std::wstring(246, L'f').c_str()));
    EXPECT_STREQ(g_favoritesPath, L"");
    EXPECT_TRUE(NameFavoritesFile(std::wstring(245, L'f').c_str()));
    EXPECT_EQ(std::wstring(g_favoritesPath).size(), 259u);
    EXPECT_FALSE(NameFavoritesFile(L""));
    EXPECT_STREQ(g_favoritesPath, L"");
}
