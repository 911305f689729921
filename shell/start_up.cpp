#include "shell/start_up.h"

#include <commctrl.h>
#include <objbase.h>

#include <ctime>

#include "loaders/source_image.h"
#include "model/random.h"
#include "progress/progress_folder.h"
#include "shell/main_window.h"
#include "shell/resource_ids.h"
#include "ui/contrast_stretch_choice.h"
#include "ui/data_folder.h"
#include "ui/favorites.h"

HINSTANCE g_instance = nullptr;
HWND g_mainWindow = nullptr;

namespace {

constexpr wchar_t kClassName[] = L"TesselonWindow";
constexpr wchar_t kTitle[] = L"Tesselon v1.1";

}  // namespace

bool RegisterMainWindowClass(HINSTANCE instance) {
    g_instance = instance;
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = MainWindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    windowClass.lpszClassName = kClassName;
    return RegisterClassW(&windowClass) != 0;
}

HWND CreateMainWindow() {
    HMENU menu = LoadMenuW(g_instance, MAKEINTRESOURCEW(IDR_MAIN_MENU));
    g_mainWindow = CreateWindowExW(0, kClassName, kTitle, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                                   CW_USEDEFAULT, CW_USEDEFAULT, nullptr, menu, g_instance, nullptr);
    // A window that failed to be created does not take its menu along.
    if (g_mainWindow == nullptr && menu != nullptr) DestroyMenu(menu);
    return g_mainWindow;
}

// The instance was stored when the class was registered.
bool InitInstance(HINSTANCE, int showCommand) {
    // The whole count of seconds is the state: two starts within one second cut alike.
    g_randomState = static_cast<std::uint64_t>(std::time(nullptr));
    wchar_t dataFolder[kPathCapacity];
    PrepareDataFolder(dataFolder);
    NameFavoritesFile(dataFolder);
    LoadContrastStretchChoice(dataFolder);
    NameProgressFolder(dataFolder);
    INITCOMMONCONTROLSEX controls = {sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    LoadFavorites();
    if (CreateMainWindow() == nullptr) return false;
    ShowWindow(g_mainWindow, showCommand);
    return true;
}

int RunMessageLoop() {
    MSG message = {};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}

int RunInApartment(void (*first)()) {
    const bool entered = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    first();
    const int code = RunMessageLoop();
    if (entered) CoUninitialize();
    return code;
}

void ReleaseAtExit() {
    ReleasePicture();
    Clear<Favorite>(&g_favorites);
}
