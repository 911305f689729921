#include "ui/favorites.h"

#include <cwchar>
#include <new>

#include "platform/open_file.h"
#include "ui/text_decoder.h"
#include "ui/utf16.h"

namespace {

// One line of the file as it is read. Only what an entry can hold is kept: past that, blanks may
// still be trailing ones that would be cut anyway, but anything else makes the line too long.
struct LineBuffer {
    wchar_t text[kPathCapacity];
    int length = 0;  // above 0 once the line has any character: the first one always fits
    bool tooLong = false;
};

bool IsBlank(wchar_t c) { return c <= L' '; }

void AddToLine(LineBuffer* line, wchar_t c) {
    if (line->length < kPathCapacity - 1) {
        line->text[line->length++] = c;
    } else if (!IsBlank(c)) {
        line->tooLong = true;
    }
}

// False when memory for the entry cannot be had.
bool FinishLine(LineBuffer* line) {
    while (line->length > 0 && IsBlank(line->text[line->length - 1])) --line->length;
    const bool tooLong = line->tooLong;
    const int length = line->length;
    line->length = 0;
    line->tooLong = false;
    if (tooLong) return true;
    auto* favorite = new (std::nothrow) Favorite;
    if (favorite == nullptr) return false;
    std::wmemcpy(favorite->path, line->text, static_cast<std::size_t>(length));
    favorite->path[length] = L'\0';
    PushBack(&g_favorites, &favorite->links);
    return true;
}

// A carriage return before the line feed is a trailing blank and goes with the others. False when
// the lines could not all be kept.
bool ReadLines(TextDecoder* decoder) {
    LineBuffer line;
    for (std::int32_t c = NextCharacter(decoder); c != kEndOfText; c = NextCharacter(decoder)) {
        if (c == L'\n') {
            if (!FinishLine(&line)) return false;
            continue;
        }
        wchar_t wide[2];
        const int count = ToWide(static_cast<char32_t>(c), wide);
        for (int i = 0; i < count; ++i) AddToLine(&line, wide[i]);
    }
    return line.length == 0 || FinishLine(&line);
}

}  // namespace

bool LoadFavorites() {
    if (g_favoritesPath[0] == L'\0') return false;
    std::FILE* file = OpenFileByPath(g_favoritesPath, "rb");
    if (file == nullptr) return false;
    TextDecoder decoder;
    const bool whole = StartDecoding(file, &decoder) && ReadLines(&decoder);
    std::fclose(file);
    // A list that lacks some of the file's lines must never be written over it.
    if (!whole && g_favorites.count > 0) g_favoritesPath[0] = L'\0';
    return whole;
}
