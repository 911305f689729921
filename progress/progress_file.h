#pragma once

#include <cstddef>

#include "progress/puzzle_record.h"

// Writes the record beside `path` and renames it over `path` once complete, as the favourites
// file is replaced: a failure at any point leaves the old file whole. False on failure.
bool WriteProgressFile(const wchar_t* path, const PuzzleRecord& record);

// Reads and checks a whole file; false, with the record's arrays released, for anything but a
// complete, well-formed file of this version whose every number is in range.
bool ReadProgressFile(const wchar_t* path, PuzzleRecord* record);

// The same check on bytes already in memory.
bool ParseProgress(const char* bytes, std::size_t size, PuzzleRecord* record);
