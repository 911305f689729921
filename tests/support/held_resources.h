#pragma once

#include <string>

// How many handles, descriptors and mapped regions of the process refer to the file: what a
// release must give back besides memory. On Linux a mapped picture holds its file's descriptor,
// the mapping's own descriptor and the view. Windows lists handles by no file name, but refuses an
// open without sharing while any handle to the file is held, so there the count is 0 or 1.
#if defined(__linux__)
#include <filesystem>
#include <fstream>

#include "platform/posix/utf8_path.h"

constexpr int kHeldWhileMapped = 3;

inline int HeldResources(const std::wstring& path) {
    const std::string name = ToUtf8(path.c_str());
    int held = 0;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd", error)) {
        held += std::filesystem::read_symlink(entry.path(), error).string() == name;
    }
    std::ifstream maps("/proc/self/maps");
    for (std::string line; std::getline(maps, line);) {
        held += line.size() > name.size() && line.compare(line.size() - name.size(), name.size(), name) == 0;
    }
    return held;
}
#elif defined(_WIN32)
#include <windows.h>

constexpr int kHeldWhileMapped = 1;

inline int HeldResources(const std::wstring& path) {
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return GetLastError() == ERROR_SHARING_VIOLATION ? 1 : 0;
    CloseHandle(file);
    return 0;
}
#else
constexpr int kHeldWhileMapped = 0;

inline int HeldResources(const std::wstring&) { return 0; }
#endif
