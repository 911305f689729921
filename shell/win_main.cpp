// The program's entry point: start-up, the message loop, and the release of what outlives the
// window. The command line is not read.
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
    // decoded later, from the dialogs, and the last puzzle comes back only inside the apartment.
    const int code = RunInApartment([] { ResumeLastPuzzle(g_mainWindow); });
    ReleaseAtExit();
    return code;
}
