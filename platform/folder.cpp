#include "platform/folder.h"

bool EnsureFolder(const wchar_t* path) { return IsFolder(path) || CreateFolder(path) || IsFolder(path); }
