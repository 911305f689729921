#pragma once

// Paths live in fixed buffers of this many wide characters, the terminator included.
constexpr int kPathCapacity = 260;

// What joins a folder and a name inside it: the backslash on Windows, the slash elsewhere.
#ifdef _WIN32
constexpr wchar_t kFolderSeparator = L'\\';
#else
constexpr wchar_t kFolderSeparator = L'/';
#endif

// Copies and appends go into a path buffer whole or not at all: a shortened path would name some
// other file. CopyPath empties the buffer when `from` does not fit; AppendToPath leaves it as it
// was when `tail` does not.
bool CopyPath(wchar_t* path, const wchar_t* from);
bool AppendToPath(wchar_t* path, const wchar_t* tail);

// Appends a separator and `name`, or leaves the path as it was when the whole does not fit.
bool AppendName(wchar_t* path, const wchar_t* name);

// `name` in `folder`: the folder, a separator and the name. False, with the path emptied, when the
// folder is empty (which would name a file at the root of the current drive) or the whole does
// not fit.
bool NameInFolder(wchar_t* path, const wchar_t* folder, const wchar_t* name);
