#include "platform/path.h"

#include <cwchar>

bool CopyPath(wchar_t* path, const wchar_t* from) {
    path[0] = L'\0';
    return AppendToPath(path, from);
}

bool AppendToPath(wchar_t* path, const wchar_t* tail) {
    const std::size_t length = std::wcslen(path);
    const std::size_t extra = std::wcslen(tail);
    if (length + extra >= static_cast<std::size_t>(kPathCapacity)) return false;
    std::wmemcpy(path + length, tail, extra + 1);
    return true;
}

bool AppendName(wchar_t* path, const wchar_t* name) {
    const wchar_t separator[] = {kFolderSeparator, L'\0'};
    const std::size_t length = std::wcslen(path);
    if (AppendToPath(path, separator) && AppendToPath(path, name)) return true;
    path[length] = L'\0';
    return false;
}

bool NameInFolder(wchar_t* path, const wchar_t* folder, const wchar_t* name) {
    if (folder[0] != L'\0' && CopyPath(path, folder) && AppendName(path, name)) return true;
    path[0] = L'\0';
    return false;
}
