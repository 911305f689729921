#include "ui/utf16.h"

namespace {

int SurrogatePair(char32_t c, char16_t* units) {
    units[0] = static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
    units[1] = static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
    return 2;
}

// Walks a wide string as UTF-16 code units.
struct Utf16Cursor {
    const wchar_t* at;
    char16_t units[2] = {};
    int count = 0;
    int next = 0;
};

// The next code unit, or 0 at the terminator.
char16_t NextUnit(Utf16Cursor* cursor) {
    if (cursor->next == cursor->count) {
        if (*cursor->at == L'\0') return 0;
        cursor->count = ToUtf16(*cursor->at++, cursor->units);
        cursor->next = 0;
    }
    return cursor->units[cursor->next++];
}

}  // namespace

int ToUtf16(wchar_t c, char16_t* units) {
    const auto code = static_cast<char32_t>(c);
    if (code > 0x10FFFF) {
        units[0] = 0xFFFD;
        return 1;
    }
    if (code >= 0x10000) return SurrogatePair(code, units);
    units[0] = static_cast<char16_t>(code);
    return 1;
}

int ToWide(char32_t c, wchar_t* wide) {
    if constexpr (sizeof(wchar_t) == 2) {
        if (c >= 0x10000) {
            char16_t units[2];
            SurrogatePair(c, units);
            wide[0] = static_cast<wchar_t>(units[0]);
            wide[1] = static_cast<wchar_t>(units[1]);
            return 2;
        }
    }
    wide[0] = static_cast<wchar_t>(c);
    return 1;
}

int CompareUtf16(const wchar_t* a, const wchar_t* b) {
    Utf16Cursor left{a};
    Utf16Cursor right{b};
    for (;;) {
        const char16_t x = NextUnit(&left);
        const char16_t y = NextUnit(&right);
        if (x != y) return x < y ? -1 : 1;
        if (x == 0) return 0;
    }
}
