#include "platform/data_folder.h"

#include <windows.h>
#include <shlobj.h>

#include "platform/path.h"

static_assert(kPathCapacity == MAX_PATH, "SHGetFolderPathW fills a buffer of MAX_PATH characters");

bool AppDataFolder(wchar_t* folder) {
    // The folder as it is now, not as it was first set up; nothing is created here.
    if (SUCCEEDED(SHGetFolderPathW(NULL, CSIDL_APPDATA, NULL, SHGFP_TYPE_CURRENT, folder))) return true;
    folder[0] = L'\0';
    return false;
}
