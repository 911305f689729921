#include "platform/folder.h"

#include <dirent.h>
#include <sys/stat.h>

#include "platform/posix/utf8_path.h"

bool IsFolder(const wchar_t* path) {
    struct stat status;
    return stat(ToUtf8(path).c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

// The permissions the user's file-creation mask leaves, as for any folder the user makes.
bool CreateFolder(const wchar_t* path) { return mkdir(ToUtf8(path).c_str(), 0777) == 0; }

bool ListFiles(const wchar_t* folder, std::vector<std::wstring>* names) {
    names->clear();
    const std::string base = ToUtf8(folder);
    DIR* directory = opendir(base.c_str());
    if (directory == nullptr) return false;
    while (const dirent* entry = readdir(directory)) {
        struct stat status;
        std::wstring name;
        // A name that is not UTF-8 could not be named again through a wide path.
        if (stat((base + '/' + entry->d_name).c_str(), &status) == 0 && S_ISREG(status.st_mode) &&
            FromUtf8(entry->d_name, &name)) {
            names->push_back(name);
        }
    }
    closedir(directory);
    return true;
}
