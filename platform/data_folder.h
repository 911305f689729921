#pragma once

// The user's own application-data folder, without a separator at the end: the roaming
// application data on Windows, $XDG_DATA_HOME or else ~/.local/share elsewhere. Fills a buffer
// of kPathCapacity characters. False, with the buffer emptied, when the folder is unknown or its
// path does not fit.
bool AppDataFolder(wchar_t* folder);
