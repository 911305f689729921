#include "ui/data_folder.h"

#include <cwchar>

#include "platform/data_folder.h"
#include "platform/folder.h"
#include "platform/path.h"
#include "ui/favorites.h"

namespace {

// Appends a separator and `name`, or leaves the path as it was when the whole does not fit.
bool AppendName(wchar_t* path, const wchar_t* name) {
    const wchar_t separator[] = {kFolderSeparator, L'\0'};
    const std::size_t length = std::wcslen(path);
    if (AppendToPath(path, separator) && AppendToPath(path, name)) return true;
    path[length] = L'\0';
    return false;
}

bool EnterFolder(wchar_t* folder, const wchar_t* name) { return AppendName(folder, name) && EnsureFolder(folder); }

}  // namespace

// An empty base would put the folders at the root of the current drive.
bool MakeDataFolder(const wchar_t* base, wchar_t* folder) {
    if (base[0] != L'\0' && CopyPath(folder, base) && EnterFolder(folder, L"Orvandine") &&
        EnterFolder(folder, L"Tesselon")) {
        return true;
    }
    folder[0] = L'\0';
    return false;
}

bool PrepareDataFolder(wchar_t* folder) {
    wchar_t base[kPathCapacity];
    if (AppDataFolder(base)) return MakeDataFolder(base, folder);
    folder[0] = L'\0';
    return false;
}

bool NameFavoritesFile(const wchar_t* folder) {
    if (folder[0] != L'\0' && CopyPath(g_favoritesPath, folder) &&
        AppendName(g_favoritesPath, L"Favorites.txt")) {
        return true;
    }
    g_favoritesPath[0] = L'\0';
    return false;
}
