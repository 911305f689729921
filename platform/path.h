#pragma once

// Paths live in fixed buffers of this many wide characters, the terminator included.
constexpr int kPathCapacity = 260;

// What joins a folder and a name inside it: the backslash on Windows, the slash elsewhere.
#ifdef _WIN32
constexpr wchar_t kFolderSeparator = L'\\';
#else
constexpr wchar_t kFolderSeparator = L'/';
#endif
