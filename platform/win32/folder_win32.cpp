#include "platform/folder.h"

#include <windows.h>

bool IsFolder(const wchar_t* path) {
    const DWORD attributes = GetFileAttributesW(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool CreateFolder(const wchar_t* path) { return CreateDirectoryW(path, NULL) != 0; }
