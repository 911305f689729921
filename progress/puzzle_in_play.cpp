#include "progress/puzzle_in_play.h"

#include <cwchar>

#include "loaders/image_loader.h"
#include "loaders/source_image.h"
#include "model/generation.h"
#include "model/geometry.h"
#include "model/group.h"
#include "model/random.h"
#include "platform/file_identity.h"
#include "progress/progress_file.h"
#include "progress/progress_folder.h"
#include "progress/puzzle_arrangement.h"

PuzzleInPlay g_puzzleInPlay;

namespace {

// Whether the picture the record was cut from is still the file it was.
bool PictureUnchanged(const PuzzleRecord& record) {
    FileIdentity picture;
    return ReadFileIdentity(record.picturePath, &picture) && picture.size == record.picture.size &&
           picture.lastWrite == record.picture.lastWrite;
}

void StartPlay(std::int64_t playedMs, std::uint64_t now) {
    g_puzzleInPlay.present = true;
    g_puzzleInPlay.playedMs = playedMs;
    g_puzzleInPlay.since = now;
    g_puzzleInPlay.running = true;
}

}  // namespace

bool CutPuzzleInPlay(const wchar_t* picturePath, std::uint64_t now) {
    g_puzzleInPlay.present = false;
    PuzzleRecord& origin = g_puzzleInPlay.origin;
    const std::uint64_t seed = g_randomState;
    if (!GeneratePuzzle()) return false;
    // An unreadable identity leaves one that no file has, so the stored puzzle is never resumed.
    origin.picture = FileIdentity{-1, 0};
    ReadFileIdentity(picturePath, &origin.picture);
    if (!CopyPath(origin.picturePath, picturePath)) origin.picturePath[0] = L'\0';
    origin.cellSize = g_cellSize;
    origin.seed = seed;
    const GridPlacement grid = PlaceGrid(g_sourceImage->width, g_sourceImage->height, g_pitch);
    origin.columns = grid.columns;
    origin.rows = grid.rows;
    StartPlay(0, now);
    StorePuzzleInPlay(now);
    return true;
}

bool ContinuePuzzleInPlay(const PuzzleRecord& record, std::uint64_t now) {
    g_puzzleInPlay.present = false;
    if (!RestorePuzzle(record)) return false;
    CopyOrigin(record, &g_puzzleInPlay.origin);
    StartPlay(record.playedMs, now);
    return true;
}

bool StorePuzzleInPlay(std::uint64_t now) {
    if (!g_puzzleInPlay.present || g_groups.count == 0 || g_puzzleInPlay.origin.picturePath[0] == L'\0') return false;
    PuzzleRecord record;
    CopyOrigin(g_puzzleInPlay.origin, &record);
    record.playedMs = PlayedMs(now);
    return CapturePuzzle(&record) && StoreProgress(record);
}

bool FindStoredPuzzle(const wchar_t* picturePath, std::int32_t cellSize, PuzzleRecord* record) {
    wchar_t path[kPathCapacity];
    return ProgressFilePath(picturePath, cellSize, path) && ReadProgressFile(path, record) &&
           std::wcscmp(record->picturePath, picturePath) == 0 && record->cellSize == cellSize &&
           PictureUnchanged(*record);
}

bool ResumeNewestPuzzle(std::uint64_t now, wchar_t* picturePath) {
    wchar_t path[kPathCapacity];
    wchar_t named[kPathCapacity];
    PuzzleRecord record;
    if (!NewestProgressFile(path) || !ReadProgressFile(path, &record) ||
        !ProgressFilePath(record.picturePath, record.cellSize, named))
        return false;
    if (std::wcscmp(path, named) == 0) {
        if (!PictureUnchanged(record)) return false;
    } else {
        // Read again by the picture's own name: a file renamed by hand does not stand for another.
        wchar_t picture[kPathCapacity];
        std::wmemcpy(picture, record.picturePath, kPathCapacity);
        if (!FindStoredPuzzle(picture, record.cellSize, &record)) return false;
    }
    if (ReplacePicture(record.picturePath) && ContinuePuzzleInPlay(record, now)) return CopyPath(picturePath, record.picturePath);
    ReleasePicture();
    return false;
}

void PauseClock(std::uint64_t now) {
    g_puzzleInPlay.playedMs = PlayedMs(now);
    g_puzzleInPlay.running = false;
}

void RunClock(std::uint64_t now) {
    if (g_puzzleInPlay.running) return;
    g_puzzleInPlay.since = now;
    g_puzzleInPlay.running = true;
}

std::int64_t PlayedMs(std::uint64_t now) {
    const PuzzleInPlay& play = g_puzzleInPlay;
    return play.running && now > play.since ? play.playedMs + static_cast<std::int64_t>(now - play.since) : play.playedMs;
}
