#include "platform/open_file.h"

#include "platform/posix/utf8_path.h"

std::FILE* OpenFileByPath(const wchar_t* path, const char* mode) {
    return std::fopen(ToUtf8(path).c_str(), mode);
}
