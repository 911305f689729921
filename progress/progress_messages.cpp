#include "progress/progress_messages.h"

std::wstring ContinueQuestion(const PuzzleRecord& record) {
    return L"Continue the puzzle in progress?\n\n" + std::to_wstring(JoinedPieces(record)) + L" of " +
           std::to_wstring(RecordedPieces(record)) + L" pieces are already joined.";
}

std::wstring SolvedMessage(std::int64_t pieces, std::int64_t playedMs) {
    const std::int64_t seconds = playedMs / 1000;
    const auto twoDigits = [](std::int64_t value) { return (value < 10 ? L"0" : L"") + std::to_wstring(value); };
    return L"Solved: all " + std::to_wstring(pieces) + L" pieces are in place.\n\nTime played: " +
           std::to_wstring(seconds / 3600) + L":" + twoDigits(seconds / 60 % 60) + L":" + twoDigits(seconds % 60);
}
