#pragma once

#include <windows.h>

// When the puzzle in play is stored and resumed, and the two boxes about it; the record, the file
// and the solved test live in the portable core (progress/).

// The timer of a store put off by the throttle.
constexpr UINT_PTR kStoreTimer = 1;

// At start-up, once COM is ready: the newest stored puzzle, when its picture is unchanged and its
// file valid, is put on the table and shown; otherwise the table stays empty.
void ResumeLastPuzzle(HWND window);

// Stores the puzzle in play at once: on close, at the end of the session, before another puzzle or
// picture replaces it, and when the timer of a held-back store (kStoreTimer) fires.
void StorePuzzleNow();

// After a drop: stores the puzzle, at most once every few seconds (a timer stores what the
// throttle held back), and says so once when the drop solved it. Returns `result`.
LRESULT AfterDrop(HWND window, bool solvedBefore, LRESULT result);

// Play time is not counted while the window is minimised.
void NoteWindowSize(WPARAM sizeType);

// OK in either dialog: offers to continue the stored, unsolved puzzle of this picture and cell
// size; otherwise (or when it cannot be restored) cuts afresh. False when no puzzle could be cut.
bool CutOrContinuePuzzle(HWND dialog);
