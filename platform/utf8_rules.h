#pragma once

#include <string>

// The form of UTF-8, shared by every reader and writer of it: paths and text files.

// How many continuation bytes follow a lead byte, or -1 for a byte that starts no character.
inline int Utf8ContinuationCount(unsigned char lead) {
    if (lead < 0x80) return 0;
    if (lead >= 0xC2 && lead <= 0xDF) return 1;
    if (lead >= 0xE0 && lead <= 0xEF) return 2;
    if (lead >= 0xF0 && lead <= 0xF4) return 3;
    return -1;
}

// The bits of the character that a lead byte with `continuations` following bytes carries.
inline char32_t Utf8LeadBits(unsigned char lead, int continuations) {
    static const unsigned char kMasks[4] = {0x7F, 0x1F, 0x0F, 0x07};
    return lead & kMasks[continuations];
}

// A surrogate or a value past the last plane is no character, in whatever form it comes.
inline bool IsCharacterCode(char32_t c) { return c <= 0x10FFFF && (c < 0xD800 || c > 0xDFFF); }

// False for an over-long form or a value that is no character, however well the bytes are shaped.
inline bool IsUtf8Character(char32_t c, int continuations) {
    static const char32_t kSmallest[4] = {0, 0x80, 0x800, 0x10000};
    return c >= kSmallest[continuations] && IsCharacterCode(c);
}

// Reads the character at *at, whose bytes end before `end`, and moves past it; false for bytes that
// are no UTF-8 character (a form cut short, over-long or of no character).
inline bool NextUtf8Character(const unsigned char** at, const unsigned char* end, char32_t* c) {
    const int extra = Utf8ContinuationCount(**at);
    if (extra < 0 || end - *at <= extra) return false;
    *c = Utf8LeadBits(*(*at)++, extra);
    for (int k = 0; k < extra; ++k, ++*at) {
        if ((**at & 0xC0) != 0x80) return false;
        *c = *c << 6 | (**at & 0x3F);
    }
    return IsUtf8Character(*c, extra);
}

// The UTF-8 bytes of one character; a value that is no character is written as U+FFFD.
inline void AppendUtf8(std::string& out, char32_t c) {
    if (!IsCharacterCode(c)) c = 0xFFFD;
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}
