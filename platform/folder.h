#pragma once

// True when a folder (not a file) is at `path`.
bool IsFolder(const wchar_t* path);

// Creates one folder whose parent exists. False when it cannot, or when anything is already there.
bool CreateFolder(const wchar_t* path);
