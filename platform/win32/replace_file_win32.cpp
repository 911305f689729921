#include "platform/replace_file.h"

#include <io.h>
#include <windows.h>

bool CommitFile(std::FILE* file) { return std::fflush(file) == 0 && _commit(_fileno(file)) == 0; }

bool RenameOver(const wchar_t* from, const wchar_t* to) {
    return MoveFileExW(from, to, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

bool RemoveFile(const wchar_t* path) { return DeleteFileW(path) != 0; }
