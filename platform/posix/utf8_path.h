#pragma once

#include <string>

// Wide strings hold UTF-32 on these hosts; the operating system takes UTF-8.
std::string ToUtf8(const wchar_t* text);

// The wide form of UTF-8 text such as an environment variable. False when the bytes are not
// well-formed UTF-8: a path guessed from malformed text would name some other folder.
bool FromUtf8(const char* text, std::wstring* wide);
