#pragma once

#include "loaders/raster_file.h"

// Maps the FITS file at `path` into the new, zeroed `raster` and reads its primary header (see
// fits_header.cpp for what it reads and refuses). The file stays mapped whatever the result: the
// owner's release closes it. A file that cannot be mapped is refused without a message.
bool ParseFitsHeader(RasterFile* raster, const wchar_t* path);

// The header reading alone, over the file already mapped into `raster->file`; `path` is only the
// text of the message shown on refusal.
bool ReadFitsHeader(RasterFile* raster, const wchar_t* path);
