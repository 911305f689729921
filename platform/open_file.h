#pragma once

#include <cstdio>

// The C runtime's fopen for a wide path: _wfopen on Windows, the path's UTF-8 form elsewhere.
std::FILE* OpenFileByPath(const wchar_t* path, const char* mode);
