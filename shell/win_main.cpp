// The program's entry point: start-up, the message loop, and the release of what outlives the
// window. The command line is not read.
#include <objbase.h>
#include <windows.h>

#include "shell/puzzle_keeping.h"
#include "shell/start_up.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    if (!RegisterMainWindowClass(instance)) return 0;
    if (!InitInstance(instance, showCommand)) {
        ReleaseAtExit();
        return 0;
    }
    // Only after the window exists: nothing its creation does may use COM. The pictures are
    // decoded later, from the dialogs. A single-threaded apartment, as a window's thread needs:
    // the shell objects behind the open-file dialog cannot be reached from a multithreaded one,
    // and the dialog then cannot browse folders such as Documents.
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    // Pictures are decoded through COM, so the last puzzle comes back only now.
    ResumeLastPuzzle(g_mainWindow);
    const int code = RunMessageLoop();
    CoUninitialize();
    ReleaseAtExit();
    return code;
}
