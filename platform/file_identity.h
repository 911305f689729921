#pragma once

#include <cstdint>

// What tells that a file is still the one seen before: its size in bytes and the time it was last
// written, in the host's own units (100-nanosecond steps on Windows, nanoseconds elsewhere). The
// time is only compared with another from the same host, never shown.
struct FileIdentity {
    std::int64_t size = 0;
    std::int64_t lastWrite = 0;
};

// False, with the identity left alone, when nothing is there or it is a folder.
bool ReadFileIdentity(const wchar_t* path, FileIdentity* identity);
