#pragma once

#include <cstdint>

// Loads the picture at `path` into g_sourceImage, which must exist; whatever it held is freed
// first. The file name chooses the reader: a name containing ".img" goes to the PDS reader, else
// one containing ".fit" to the FITS reader, and any other name to the platform's decoder, except
// that a little-endian BigTIFF named ".tif..." is refused first. Only the file name counts, not
// the folders (either '\\' or '/' separates them), and letter case does not matter.
//
// Returns, and leaves in the record, `loaded`: 1 on success, 0 on failure. After a failed FITS or
// PDS load the record still holds the RasterFile, so that the caller's ReleaseSourceImage closes
// the file. The readers show their own messages; the loader shows none.
std::int16_t LoadSourceImage(const wchar_t* path);

// Releases the picture and loads the one at `path` in a new g_sourceImage; false, with no picture
// left, when it cannot be loaded (or no memory is left for its record).
bool ReplacePicture(const wchar_t* path);
