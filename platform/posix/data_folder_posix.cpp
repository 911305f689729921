#include "platform/data_folder.h"

#include <cstdlib>
#include <cwchar>
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
    if (path.size() >= static_cast<std::size_t>(kPathCapacity)) return false;
    std::wcscpy(folder, path.c_str());
    return true;
}
