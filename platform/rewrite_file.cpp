#include "platform/replace_file.h"

#include <cwchar>

#include "platform/open_file.h"
#include "platform/path.h"

namespace {

// Beside the file, in the same folder, so that the rename stays on one volume and is one step.
bool TemporaryPath(const wchar_t* path, wchar_t* temporary) {
    if (path[0] == L'\0' || !CopyPath(temporary, path)) return false;
    wchar_t& last = temporary[std::wcslen(temporary) - 1];
    last = last == L'~' ? L'_' : L'~';
    return true;
}

}  // namespace

bool RewriteFile(const wchar_t* path, bool (*write)(std::FILE* file, const void* context), const void* context) {
    wchar_t temporary[kPathCapacity];
    if (!TemporaryPath(path, temporary)) return false;
    std::FILE* file = OpenFileByPath(temporary, "wb");
    if (file == nullptr) return false;
    const bool written = write(file, context) && CommitFile(file);
    const bool closed = std::fclose(file) == 0;
    if (written && closed && RenameOver(temporary, path)) return true;
    RemoveFile(temporary);
    return false;
}
