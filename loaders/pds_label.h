#pragma once

#include "loaders/raster_file.h"

// Maps the .img file at `path` into the new, zeroed `raster` and reads its attached PDS label
// (see pds_label.cpp for what it reads and refuses). The file stays mapped whatever the result:
// the owner's release closes it. A file that cannot be mapped is refused without a message.
bool ParsePdsLabel(RasterFile* raster, const wchar_t* path);

// The label reading alone, over the file already mapped into `raster->file`; `path` is only the
// text of the message shown on refusal.
bool ReadPdsLabel(RasterFile* raster, const wchar_t* path);
