#pragma once

// The program's own folder inside the user's application data, "Orvandine" then "Tesselon",
// where the favourites file lives. Every path here fits a buffer of kPathCapacity characters.

// Appends the two sub-folders to `base` into `folder` (a buffer of its own), creating each one
// that is missing. False, with `folder` emptied, when `base` is empty, the path would not fit or
// a folder can neither be found nor made: a shortened path would name some other folder.
bool MakeDataFolder(const wchar_t* base, wchar_t* folder);

// MakeDataFolder under the user's application-data folder.
bool PrepareDataFolder(wchar_t* folder);

// Names g_favoritesPath "Favorites.txt" in `folder`. False, with the path emptied (so that no
// file is read or written), when `folder` is empty or the name does not fit.
bool NameFavoritesFile(const wchar_t* folder);
