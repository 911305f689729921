#pragma once

#include <cstdint>

#include "model/list.h"
#include "platform/path.h"

// The player's favourite pictures. A favourite is a path and nothing more.
//
// The file "Favorites.txt" holds one path a line in UTF-16 little-endian, after the byte-order
// mark FF FE, each line ending in carriage return and line feed; nothing else. It is written the
// same on every host. Reading takes a leading FF FE as UTF-16 little-endian, EF BB BF as UTF-8
// and no mark as UTF-16 little-endian; a file that begins with FE FF (big-endian) is not read.
struct Favorite {
    ListItem links;
    wchar_t path[kPathCapacity] = {};  // terminated, at most 259 characters
};

// From first to last, the order of the file and of the Favorites dialog.
extern List g_favorites;

// Set when AddFavorite inserts an entry or RemoveFavorite drops one, so that closing the window
// writes the file; never cleared, not even by a save.
extern std::int16_t g_favoritesDirty;

// The favourites file in the data folder; empty when there is no data folder.
extern wchar_t g_favoritesPath[kPathCapacity];

// Appends the lines of the favourites file to the list in file order, without sorting or removing
// duplicates. Trailing characters of code 32 or less are cut, so a blank line gives an empty path.
// A line that is still longer than 259 characters names no file the program could open and is
// skipped whole. False, with the list unchanged, when the file is missing or cannot be read.
bool LoadFavorites();

// Rewrites the favourites file from the list. The new file is written beside the old one and
// renamed over it only when it is complete, so a failure at any point leaves the old file as it
// was (and removes the partial new one). False on failure.
bool SaveFavorites();

// Takes ownership of an unlinked favourite. Walking back from the last entry, it goes right after
// the first entry whose path is smaller (or first when there is none) and the list is marked as
// changed; an equal path frees it and changes nothing. Paths compare as UTF-16 code units on
// every host, case-sensitively, so capitals sort before small letters.
void AddFavorite(Favorite* favorite);

// Unlinks and frees a favourite of the list, and marks the list as changed.
void RemoveFavorite(Favorite* favorite);
