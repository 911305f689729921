#include "platform/posix/utf8_path.h"

#include <cstring>

#include "platform/utf8_rules.h"

std::string ToUtf8(const wchar_t* text) {
    std::string out;
    for (; *text; ++text) AppendUtf8(out, static_cast<char32_t>(*text));
    return out;
}

bool FromUtf8(const char* text, std::wstring* wide) {
    wide->clear();
    const auto* at = reinterpret_cast<const unsigned char*>(text);
    const unsigned char* end = at + std::strlen(text);
    while (at < end) {
        char32_t c = 0;
        if (!NextUtf8Character(&at, end, &c)) return false;
        *wide += static_cast<wchar_t>(c);
    }
    return true;
}
