#pragma once

#include <cstdint>

// The version word of a TIFF file read in little-endian order: 1 for classic TIFF (42), 2 for
// BigTIFF (43), 0 for anything else, a file shorter than 4 bytes or one that cannot be opened.
// A big-endian file therefore gives 0.
std::int16_t ProbeTiffVersion(const wchar_t* path);
