#pragma once

#include <cstdint>

#include "progress/puzzle_record.h"

// The puzzle on the table, where it was cut from and how long it has been played. Times are
// milliseconds of a clock the caller reads (the Windows side passes its tick count), so that the
// clock can be paused while the window is minimised.
struct PuzzleInPlay {
    bool present = false;
    PuzzleRecord origin;  // only the cut's fields: path, identity, cell size, seed, rows, columns
    std::int64_t playedMs = 0;  // before `since`
    std::uint64_t since = 0;
    bool running = false;
};

extern PuzzleInPlay g_puzzleInPlay;

// Cuts g_sourceImage, loaded from `picturePath`, at g_cellSize, noting what a later restore needs,
// and stores the new puzzle at once (replacing any stored one for that picture and cell size).
// False, with no puzzle, when the cut fails.
bool CutPuzzleInPlay(const wchar_t* picturePath, std::uint64_t now);

// Restores a record read for the loaded picture and takes its played time; false, with no puzzle,
// when the restore fails.
bool ContinuePuzzleInPlay(const PuzzleRecord& record, std::uint64_t now);

// Writes the puzzle on the table to its file; false when there is none or the write fails.
bool StorePuzzleInPlay(std::uint64_t now);

// The stored puzzle of this picture and cell size, when its file is valid, names this picture and
// the picture is unchanged since.
bool FindStoredPuzzle(const wchar_t* picturePath, std::int32_t cellSize, PuzzleRecord* record);

// Loads the picture of the newest stored puzzle into g_sourceImage and restores the puzzle. False,
// with no picture and no puzzle, when any of it fails; `picturePath` then holds nothing useful.
bool ResumeNewestPuzzle(std::uint64_t now, wchar_t* picturePath);

void PauseClock(std::uint64_t now);
void RunClock(std::uint64_t now);
std::int64_t PlayedMs(std::uint64_t now);
