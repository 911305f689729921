#include "platform/data_folder.h"

#include <cstdlib>
#include <string>

#include "platform/path.h"
#include "platform/posix/utf8_path.h"

namespace {

// An unset, empty or relative variable does not count, as the XDG base directory rules say.
bool AbsoluteVariable(const char* name, std::wstring* value) {
    const char* text = std::getenv(name);
    return text != nullptr && text[0] == '/' && FromUtf8(text, value);
}

}  // namespace

bool AppDataFolder(wchar_t* folder) {
    folder[0] = L'\0';
    std::wstring path;
    if (!AbsoluteVariable("XDG_DATA_HOME", &path)) {
        if (!AbsoluteVariable("HOME", &path)) return false;
        path += L"/.local/share";
    }
    while (path.size() > 1 && path.back() == L'/') path.pop_back();
    return CopyPath(folder, path.c_str());
}
