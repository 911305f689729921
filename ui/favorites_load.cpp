#include "ui/favorites.h"

#include <cwchar>

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

void FinishLine(LineBuffer* line) {
    while (line->length > 0 && IsBlank(line->text[line->length - 1])) --line->length;
    if (!line->tooLong) {
        auto* favorite = new Favorite;
        std::wmemcpy(favorite->path, line->text, static_cast<std::size_t>(line->length));
        favorite->path[line->length] = L'\0';
        PushBack(&g_favorites, &favorite->links);
    }
    line->length = 0;
    line->tooLong = false;
}

// A carriage return before the line feed is a trailing blank and goes with the others.
void ReadLines(TextDecoder* decoder) {
    LineBuffer line;
    for (std::int32_t c = NextCharacter(decoder); c != kEndOfText; c = NextCharacter(decoder)) {
        if (c == L'\n') {
            FinishLine(&line);
            continue;
        }
        wchar_t wide[2];
        const int count = ToWide(static_cast<char32_t>(c), wide);
        for (int i = 0; i < count; ++i) AddToLine(&line, wide[i]);
    }
    if (line.length > 0) FinishLine(&line);
}

}  // namespace

bool LoadFavorites() {
    if (g_favoritesPath[0] == L'\0') return false;
    std::FILE* file = OpenFileByPath(g_favoritesPath, "rb");
    if (file == nullptr) return false;
    TextDecoder decoder;
    const bool readable = StartDecoding(file, &decoder);
    if (readable) ReadLines(&decoder);
    std::fclose(file);
    return readable;
}
