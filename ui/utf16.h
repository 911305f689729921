#pragma once

// Favourites are UTF-16 on every host, while wchar_t holds UTF-16 on Windows and UTF-32
// elsewhere. These convert one character at a time; on Windows they pass code units through.

// The UTF-16 code units of one wide character into `units`, returning 1 or 2. A character beyond
// the basic plane held whole (32-bit wchar_t) becomes a surrogate pair; a lone surrogate stays
// itself, so that it is written back as it was read. A value no character has becomes U+FFFD.
int ToUtf16(wchar_t c, char16_t* units);

// The wide characters of one character code (or lone surrogate) into `wide`, returning 1 or 2:
// with a 16-bit wchar_t a character beyond the basic plane becomes a surrogate pair.
int ToWide(char32_t c, wchar_t* wide);

// Ordinal comparison as UTF-16 code units: the first differing unit decides, and a string that
// is a prefix of the other is smaller. Negative, zero or positive.
int CompareUtf16(const wchar_t* a, const wchar_t* b);
