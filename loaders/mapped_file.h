#pragma once

#include <cstdint>

// A whole file mapped read-only. The handles are the operating system's and opaque here; null
// means closed. `size` bounds every read: nothing reads outside the mapping.
struct MappedFile {
    void* fileHandle = nullptr;
    void* mappingHandle = nullptr;
    const unsigned char* view = nullptr;
    std::uint64_t size = 0;
};

// Maps the whole file at `path` (260 wide characters at most). False
// when the file cannot be opened or mapped; an empty file cannot be mapped. When only the view
// fails, the handles stay open until UnmapFile.
bool MapFile(const wchar_t* path, MappedFile* file);

// Takes the mapping down; harmless on a file that is not mapped, and when called twice.
void UnmapFile(MappedFile* file);

// True when `count` bytes at `offset` lie wholly inside the mapping.
bool IsInsideMapping(const MappedFile& file, std::uint64_t offset, std::uint64_t count);
