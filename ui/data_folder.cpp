#include "ui/data_folder.h"

#include <cwchar>

#include "platform/data_folder.h"
#include "platform/folder.h"
#include "platform/path.h"
#include "ui/favorites.h"

namespace {

// Appends a separator and `name` to `path` when the whole fits a path buffer.
bool AppendName(wchar_t* path, const wchar_t* name) {
    const std::size_t length = std::wcslen(path);
    if (length + 1 + std::wcslen(name) >= static_cast<std::size_t>(kPathCapacity)) return false;
    path[length] = kFolderSeparator;
    std::wcscpy(path + length + 1, name);
    return true;
}

bool EnterFolder(wchar_t* folder, const wchar_t* name) {
    return AppendName(folder, name) && (IsFolder(folder) || CreateFolder(folder));
}

}  // namespace

// An empty base would put the folders at the root of the current drive.
bool MakeDataFolder(const wchar_t* base, wchar_t* folder) {
    folder[0] = L'\0';
    const std::size_t length = std::wcslen(base);
    if (length == 0 || length >= static_cast<std::size_t>(kPathCapacity)) return false;
    std::wcscpy(folder, base);
    if (EnterFolder(folder, L"Orvandine") && EnterFolder(folder, L"Tesselon")) return true;
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
    g_favoritesPath[0] = L'\0';
    const std::size_t length = std::wcslen(folder);
    if (length == 0 || length >= static_cast<std::size_t>(kPathCapacity)) return false;
    std::wcscpy(g_favoritesPath, folder);
    if (AppendName(g_favoritesPath, L"Favorites.txt")) return true;
    g_favoritesPath[0] = L'\0';
    return false;
}
