#pragma once

#include <string>
#include <vector>

// True when a folder (not a file) is at `path`.
bool IsFolder(const wchar_t* path);

// Creates one folder whose parent exists. False when it cannot, or when anything is already there.
bool CreateFolder(const wchar_t* path);

// True when a folder is at `path`, made now if it was missing. Another game started at the same
// moment may make it between the look and the create: the create then fails, and a second look
// finds the folder.
bool EnsureFolder(const wchar_t* path);

// The names of the files (not folders) directly inside a folder, in no particular order. False,
// with `names` empty, when the folder cannot be read.
bool ListFiles(const wchar_t* folder, std::vector<std::wstring>* names);
