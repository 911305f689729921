#include "ui/favorites.h"

#include "ui/utf16.h"

List g_favorites;
std::int16_t g_favoritesDirty = 0;
wchar_t g_favoritesPath[kPathCapacity] = {};

void AddFavorite(Favorite* favorite) {
    // The walk starts at the end so that a list read from a hand-edited file, in whatever order,
    // keeps that order and still takes new entries at a sensible place.
    for (ListItem* it = g_favorites.last; it != nullptr; it = it->prev) {
        const int order = CompareUtf16(RecordOf<Favorite>(it)->path, favorite->path);
        if (order == 0) {
            delete favorite;
            return;
        }
        if (order < 0) {
            InsertAfter(it, &favorite->links);
            g_favoritesDirty = 1;
            return;
        }
    }
    PushFront(&g_favorites, &favorite->links);
    g_favoritesDirty = 1;
}

void RemoveFavorite(Favorite* favorite) {
    Unlink(&favorite->links);
    delete favorite;
    g_favoritesDirty = 1;
}
