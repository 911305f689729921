#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/path.h"
#include "progress/puzzle_record.h"

// Puzzles in progress live in a folder of their own inside the data folder, one file per picture
// and cell size, named after both; only the newest files are kept.
constexpr std::size_t kKeptPuzzles = 50;

// The folder; empty when there is none, and then nothing is stored or resumed.
extern wchar_t g_progressFolder[kPathCapacity];

// Names g_progressFolder "Puzzles in progress" inside `dataFolder` and creates it when missing.
// False, with the name emptied, when that cannot be done.
bool NameProgressFolder(const wchar_t* dataFolder);

// The file for a picture and a cell size: a hash of the path's UTF-16 code units and the cell
// size. The path itself is inside, so two paths of one hash are told apart when read.
bool ProgressFilePath(const wchar_t* picturePath, std::int32_t cellSize, wchar_t* path);

// Writes the record's file and removes all but the newest kKeptPuzzles files.
bool StoreProgress(const PuzzleRecord& record);

// The most recently written puzzle file; false when there is none.
bool NewestProgressFile(wchar_t* path);
