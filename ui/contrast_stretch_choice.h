#pragma once

// The player's choice of the contrast stretch (g_contrastStretch), kept across runs in a file of
// its own in the data folder, "Contrast stretch.txt": the one character "1" for on, "0" for off.

// Names the file in `folder` and takes the choice from it. No file, a file that says anything
// else, or a folder whose path leaves no room for the name, leave the stretch off.
void LoadContrastStretchChoice(const wchar_t* folder);

// Turns the stretch on or off and rewrites the file, whole or not at all. False, with the choice
// changed all the same, when the file cannot be written.
bool ToggleContrastStretch();
