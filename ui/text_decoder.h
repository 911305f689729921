#pragma once

#include <cstdint>
#include <cstdio>

// Reads a text file character by character the way the C runtime's Unicode text mode chooses its
// encoding: a leading FF FE means UTF-16 little-endian, EF BB BF means UTF-8, no mark means
// UTF-16 little-endian. Line ends are left to the caller.
enum class TextEncoding { Utf16LittleEndian, Utf8 };

struct TextDecoder {
    std::FILE* file = nullptr;  // opened in binary mode; not owned
    TextEncoding encoding = TextEncoding::Utf16LittleEndian;
    int pending = -1;  // a code unit or byte read ahead that starts the next character
};

constexpr std::int32_t kEndOfText = -1;

// Reads the byte-order mark and leaves the decoder after it. False for the big-endian mark FE FF,
// which this program does not read, and when the file cannot be positioned.
bool StartDecoding(std::FILE* file, TextDecoder* decoder);

// The next character code, or kEndOfText. A lone UTF-16 surrogate comes through as itself, so
// that it can be written back as it was; malformed UTF-8 gives U+FFFD; an odd last byte of a
// UTF-16 file is no character.
std::int32_t NextCharacter(TextDecoder* decoder);
