#pragma once

#include <string>
#include <vector>

// Writes `bytes` as the whole file at `path`, replacing it. On failure it says so on standard
// error, naming `tool`, and returns false.
bool WriteToolFile(const char* tool, const std::string& path, const std::vector<unsigned char>& bytes);
