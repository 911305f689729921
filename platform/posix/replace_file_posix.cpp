#include "platform/replace_file.h"

#include <unistd.h>

#include "platform/posix/utf8_path.h"

bool CommitFile(std::FILE* file) { return std::fflush(file) == 0 && fsync(fileno(file)) == 0; }

bool RenameOver(const wchar_t* from, const wchar_t* to) {
    return std::rename(ToUtf8(from).c_str(), ToUtf8(to).c_str()) == 0;
}

bool RemoveFile(const wchar_t* path) { return unlink(ToUtf8(path).c_str()) == 0; }
