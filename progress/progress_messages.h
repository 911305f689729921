#pragma once

#include <cstdint>
#include <string>

#include "progress/puzzle_record.h"

// The texts of the two boxes about puzzles in progress, and their caption.
constexpr wchar_t kProgressCaption[] = L"Tesselon";

// "Continue the puzzle in progress?" and how far it has come.
std::wstring ContinueQuestion(const PuzzleRecord& record);

// The number of pieces and the time played, in hours, minutes and seconds.
std::wstring SolvedMessage(std::int64_t pieces, std::int64_t playedMs);
