#pragma once

#include <string>

// Wide strings hold UTF-32 on these hosts; the operating system takes UTF-8.
std::string ToUtf8(const wchar_t* text);
