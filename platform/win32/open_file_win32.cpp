#include "platform/open_file.h"

#include <wchar.h>

#include <string>

std::FILE* OpenFileByPath(const wchar_t* path, const char* mode) {
    std::wstring wideMode(mode, mode + std::char_traits<char>::length(mode));
    return _wfopen(path, wideMode.c_str());
}
