// Reads and finds controls of the running game's dialogs from outside, for the end-to-end test
// that drives the game with the real mouse and keyboard:
//
//   e2e_probe text CAPTION ID     prints the text of control ID of the window titled CAPTION
//   e2e_probe rect CAPTION ID     prints the control's screen rectangle as "X Y WIDTH HEIGHT"
//   e2e_probe scroll CAPTION ID   prints the scroll bar's position
//   e2e_probe client CAPTION      prints the window's client area on the screen as "X Y WIDTH HEIGHT"
//
// Exits 1 when the window or the control is not there.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cwchar>

namespace {

void PrintRect(LONG left, LONG top, LONG width, LONG height) {
    std::wprintf(L"%ld %ld %ld %ld\n", left, top, width, height);
}

int PrintClient(HWND window) {
    RECT client;
    POINT origin = {0, 0};
    if (!GetClientRect(window, &client) || !ClientToScreen(window, &origin)) return 1;
    PrintRect(origin.x, origin.y, client.right, client.bottom);
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    HWND window = argc >= 3 ? FindWindowW(nullptr, argv[2]) : nullptr;
    if (argc == 3 && std::wcscmp(argv[1], L"client") == 0) return window != nullptr ? PrintClient(window) : 1;
    if (argc != 4) {
        std::fwprintf(stderr, L"usage: e2e_probe text|rect|scroll CAPTION ID, or e2e_probe client CAPTION\n");
        return 2;
    }
    HWND control = window != nullptr ? GetDlgItem(window, std::wcstol(argv[3], nullptr, 10)) : nullptr;
    if (control == nullptr) return 1;
    if (std::wcscmp(argv[1], L"text") == 0) {
        // Asked of the control itself: GetWindowTextW answers another process's edit box with the
        // text it was created with.
        wchar_t text[512] = {};
        SendMessageW(control, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text));
        std::wprintf(L"%ls\n", text);
    } else if (std::wcscmp(argv[1], L"rect") == 0) {
        RECT rect;
        GetWindowRect(control, &rect);
        PrintRect(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
    } else {
        std::wprintf(L"%d\n", GetScrollPos(control, SB_CTL));
    }
    return 0;
}
