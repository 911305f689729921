#include "ui/data_folder.h"

#include "platform/data_folder.h"
#include "platform/folder.h"
#include "platform/path.h"
#include "ui/favorites.h"

namespace {

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

bool NameFavoritesFile(const wchar_t* folder) { return NameInFolder(g_favoritesPath, folder, L"Favorites.txt"); }
