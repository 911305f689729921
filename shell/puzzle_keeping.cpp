#include "shell/puzzle_keeping.h"

#include "model/geometry.h"
#include "model/group.h"
#include "platform/message_box.h"
#include "progress/progress_messages.h"
#include "progress/puzzle_arrangement.h"
#include "progress/puzzle_in_play.h"
#include "render/compose_frame.h"
#include "ui/picture_loading.h"

namespace {

// A 100,000-piece puzzle takes tens of milliseconds to store: not on every drop.
constexpr std::uint64_t kStoreInterval = 5000;

std::uint64_t g_lastStore = 0;
HWND g_heldStoreWindow = nullptr;  // whose timer will store what the throttle held back

}  // namespace

void ResumeLastPuzzle(HWND window) {
    if (!ResumeNewestPuzzle(GetTickCount64(), g_imagePath)) {
        g_imagePath[0] = L'\0';
        return;
    }
    ComposeFrame(kRestingGroupsChanged);
    InvalidateRect(window, nullptr, TRUE);
}

void StorePuzzleNow() {
    const std::uint64_t now = GetTickCount64();
    StorePuzzleInPlay(now);
    g_lastStore = now;
    if (g_heldStoreWindow != nullptr) KillTimer(g_heldStoreWindow, kStoreTimer);
    g_heldStoreWindow = nullptr;
}

LRESULT AfterDrop(HWND window, bool solvedBefore, LRESULT result) {
    const std::uint64_t now = GetTickCount64();
    if (now - g_lastStore >= kStoreInterval) {
        StorePuzzleNow();
    } else if (g_heldStoreWindow == nullptr &&
               SetTimer(window, kStoreTimer, static_cast<UINT>(kStoreInterval - (now - g_lastStore)), nullptr) != 0) {
        g_heldStoreWindow = window;
    }
    if (!solvedBefore && PuzzleSolved()) {
        const std::int64_t pieces = RecordOf<Group>(g_groups.first)->members.count;
        ShowMessage(window, SolvedMessage(pieces, PlayedMs(now)).c_str(), kProgressCaption);
    }
    return result;
}

void NoteWindowSize(WPARAM sizeType) {
    if (sizeType == SIZE_MINIMIZED) {
        PauseClock(GetTickCount64());
    } else {
        RunClock(GetTickCount64());
    }
}

bool CutOrContinuePuzzle(HWND dialog) {
    const std::uint64_t now = GetTickCount64();
    PuzzleRecord record;
    if (FindStoredPuzzle(g_imagePath, GeometryForCellSize(g_cellSize).cellSize, &record) && !RecordSolved(record) &&
        AskYesNo(dialog, ContinueQuestion(record).c_str(), kProgressCaption) && ContinuePuzzleInPlay(record, now)) {
        return true;
    }
    return CutPuzzleInPlay(g_imagePath, now);
}
