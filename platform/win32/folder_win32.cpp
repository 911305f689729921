#include "platform/folder.h"

#include <windows.h>

bool IsFolder(const wchar_t* path) {
    const DWORD attributes = GetFileAttributesW(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool CreateFolder(const wchar_t* path) { return CreateDirectoryW(path, NULL) != 0; }

bool ListFiles(const wchar_t* folder, std::vector<std::wstring>* names) {
    names->clear();
    const std::wstring pattern = std::wstring(folder) + L"\\*";
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return false;
    do {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) names->push_back(found.cFileName);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return true;
}
