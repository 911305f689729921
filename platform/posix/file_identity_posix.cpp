#include "platform/file_identity.h"

#include <sys/stat.h>

#include "platform/posix/utf8_path.h"

bool ReadFileIdentity(const wchar_t* path, FileIdentity* identity) {
    struct stat status;
    if (stat(ToUtf8(path).c_str(), &status) != 0 || !S_ISREG(status.st_mode)) return false;
    identity->size = static_cast<std::int64_t>(status.st_size);
    identity->lastWrite = static_cast<std::int64_t>(status.st_mtim.tv_sec) * 1000000000 + status.st_mtim.tv_nsec;
    return true;
}
