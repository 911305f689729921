#include "platform/folder.h"

#include <sys/stat.h>

#include "platform/posix/utf8_path.h"

bool IsFolder(const wchar_t* path) {
    struct stat status;
    return stat(ToUtf8(path).c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

// The permissions the user's file-creation mask leaves, as for any folder the user makes.
bool CreateFolder(const wchar_t* path) { return mkdir(ToUtf8(path).c_str(), 0777) == 0; }
