#include "shell/start_up.h"

#include <objbase.h>

#include <gtest/gtest.h>

#include <ctime>
#include <filesystem>
#include <fstream>
#include <cwchar>
#include <string>
#include <thread>

#include "model/random.h"
#include "platform/data_folder.h"
#include "ui/favorites.h"

namespace fs = std::filesystem;

namespace {

std::wstring MenuText(HMENU menu, int position) {
    wchar_t text[64] = {};
    GetMenuStringW(menu, position, text, 64, MF_BYPOSITION);
    return text;
}

int g_closes = 0;

LRESULT CALLBACK CountCloses(int code, WPARAM wParam, LPARAM lParam) {
    const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && sent->message == WM_CLOSE && sent->hwnd == g_mainWindow) ++g_closes;
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Starts as the program does, then closes the window again.
void StartAndClose() {
    const auto before = static_cast<std::uint64_t>(std::time(nullptr));
    ASSERT_TRUE(InitInstance(GetModuleHandleW(nullptr), SW_SHOWNORMAL));
    EXPECT_GE(g_randomState, before);
    EXPECT_LE(g_randomState, static_cast<std::uint64_t>(std::time(nullptr)));
    DestroyWindow(g_mainWindow);
    MSG quit;
    while (PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
    ReleaseAtExit();
}

}  // namespace

// The data folder is the test prefix's own application data, never a user's.
TEST(StartUp, MakesTheDataFolderOnceNamesTheFavouritesAndOpensTheWindowWithItsMenu) {
    RegisterMainWindowClass(GetModuleHandleW(nullptr));
    wchar_t appData[kPathCapacity];
    ASSERT_TRUE(AppDataFolder(appData));
    const fs::path company = fs::path(appData) / L"Orvandine";
    fs::remove_all(company);

    StartAndClose();
    const fs::path folder = company / L"Tesselon";
    ASSERT_TRUE(fs::is_directory(folder));
    EXPECT_EQ(std::wstring(g_favoritesPath), (folder / L"Favorites.txt").wstring());
    // A second start finds the folders and leaves what is in them alone.
    std::ofstream(folder / L"marker").put('x');
    StartAndClose();
    EXPECT_TRUE(fs::exists(folder / L"marker"));

    ASSERT_TRUE(InitInstance(GetModuleHandleW(nullptr), SW_SHOWNORMAL));
    wchar_t title[32] = {};
    GetWindowTextW(g_mainWindow, title, 32);
    EXPECT_STREQ(title, L"Tesselon v1.1");
    HMENU file = GetSubMenu(GetMenu(g_mainWindow), 0);
    EXPECT_EQ(MenuText(GetMenu(g_mainWindow), 0), L"File");
    ASSERT_EQ(GetMenuItemCount(file), 3);
    const std::pair<std::wstring, UINT> items[] = {{L"Load Image...", 40001}, {L"Favorites...", 40003}, {L"Exit", 40002}};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(MenuText(file, i), items[i].first);
        EXPECT_EQ(GetMenuItemID(file, i), items[i].second);
    }
    // Leaving through "Exit" closes the window as its close box does, and keeps a favourite added
    // since the start.
    auto* favorite = new Favorite;
    wcscpy(favorite->path, L"C:\\pictures\\moon.jpg");
    AddFavorite(favorite);
    HHOOK closes = SetWindowsHookExW(WH_CALLWNDPROC, CountCloses, nullptr, GetCurrentThreadId());
    g_closes = 0;
    SendMessageW(g_mainWindow, WM_COMMAND, 40002, 0);
    UnhookWindowsHookEx(closes);
    EXPECT_EQ(g_closes, 1);
    EXPECT_FALSE(IsWindow(g_mainWindow));
    MSG quit;
    while (PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
    // The mark, 20 characters of two bytes and the line end.
    std::error_code missing;
    EXPECT_EQ(fs::file_size(folder / L"Favorites.txt", missing), 2u + 40u + 4u);
    ReleaseAtExit();
    fs::remove_all(company);
}

// A thread already in a multithreaded apartment cannot enter a single-threaded one; the game's
// loop then runs without entering, and must not leave the apartment it never entered.
TEST(StartUp, TheMessageLoopLeavesOnlyTheApartmentItEntered) {
    std::thread([] {
        ASSERT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_OK);
        PostQuitMessage(3);
        EXPECT_EQ(RunInApartment([] {}), 3);
        EXPECT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_FALSE);  // still inside
        CoUninitialize();
        CoUninitialize();
    }).join();
}
