#include "ui/favorites.h"

#include <cwchar>

#include "platform/open_file.h"
#include "platform/replace_file.h"
#include "ui/utf16.h"

namespace {

bool PutUnit(std::FILE* file, char16_t unit) {
    return std::fputc(unit & 0xFF, file) != EOF && std::fputc(unit >> 8, file) != EOF;
}

bool PutLine(std::FILE* file, const wchar_t* path) {
    for (; *path != L'\0'; ++path) {
        char16_t units[2];
        const int count = ToUtf16(*path, units);
        for (int i = 0; i < count; ++i) {
            if (!PutUnit(file, units[i])) return false;
        }
    }
    return PutUnit(file, u'\r') && PutUnit(file, u'\n');
}

bool PutFavorites(std::FILE* file) {
    if (!PutUnit(file, 0xFEFF)) return false;
    for (ListItem* it = g_favorites.first; it != nullptr; it = it->next) {
        if (!PutLine(file, RecordOf<Favorite>(it)->path)) return false;
    }
    return CommitFile(file);
}

// The new file is written beside the old one, in the same folder, so that renaming it over the
// old one stays on one volume and can happen in one step. Its name is the file's own with the
// last character changed ("Favorites.tx~"): no longer, so that it fits wherever the file's does.
bool TemporaryPath(wchar_t* temporary) {
    if (g_favoritesPath[0] == L'\0' || !CopyPath(temporary, g_favoritesPath)) return false;
    wchar_t& last = temporary[std::wcslen(temporary) - 1];
    last = last == L'~' ? L'_' : L'~';
    return true;
}

}  // namespace

bool SaveFavorites() {
    wchar_t temporary[kPathCapacity];
    if (!TemporaryPath(temporary)) return false;
    std::FILE* file = OpenFileByPath(temporary, "wb");
    if (file == nullptr) return false;
    const bool written = PutFavorites(file);
    const bool closed = std::fclose(file) == 0;
    if (written && closed && RenameOver(temporary, g_favoritesPath)) return true;
    RemoveFile(temporary);
    return false;
}
