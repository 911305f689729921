#include "loaders/mapped_file.h"

#include <windows.h>

bool MapFile(const wchar_t* path, MappedFile* file) {
    HANDLE handle = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
    if (handle == INVALID_HANDLE_VALUE) return false;
    file->fileHandle = handle;
    LARGE_INTEGER size;
    if (!GetFileSizeEx(handle, &size)) size.QuadPart = 0;
    file->size = static_cast<std::uint64_t>(size.QuadPart);
    file->mappingHandle = CreateFileMappingW(handle, NULL, PAGE_READONLY, 0, 0, NULL);
    if (file->mappingHandle == NULL) {
        UnmapFile(file);
        return false;
    }
    file->view = static_cast<const unsigned char*>(
        MapViewOfFile(file->mappingHandle, FILE_MAP_READ, 0, 0, 0));
    return file->view != nullptr;
}

void UnmapFile(MappedFile* file) {
    if (file->view != nullptr) UnmapViewOfFile(file->view);
    if (file->mappingHandle != nullptr) CloseHandle(file->mappingHandle);
    if (file->fileHandle != nullptr) CloseHandle(file->fileHandle);
    file->view = nullptr;
    file->mappingHandle = nullptr;
    file->fileHandle = nullptr;
    file->size = 0;
}
