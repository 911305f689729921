#pragma once

#include <windows.h>

// The platform's open-file dialog over picture files, owned by `owner`, filling `path` (a
// buffer of kPathCapacity characters). True when the player chose a file.
bool ChooseImageFile(HWND owner, wchar_t* path);
