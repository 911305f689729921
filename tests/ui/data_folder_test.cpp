#include "ui/data_folder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/folder.h"
#include "platform/path.h"
#include "support/test_files.h"
#include "ui/favorites.h"

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
