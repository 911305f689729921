#include "ui/favorites.h"

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

bool PutFavorites(std::FILE* file, const void*) {
    if (!PutUnit(file, 0xFEFF)) return false;
    for (ListItem* it = g_favorites.first; it != nullptr; it = it->next) {
        if (!PutLine(file, RecordOf<Favorite>(it)->path)) return false;
    }
    return true;
}

}  // namespace

bool SaveFavorites() { return RewriteFile(g_favoritesPath, PutFavorites, nullptr); }
