#include "loaders/mapped_file.h"

#include <cstring>

bool IsInsideMapping(const MappedFile& file, std::uint64_t offset, std::uint64_t count) {
    return file.view != nullptr && offset <= file.size && count <= file.size - offset;
}

double ReadDouble(MappedFile* file, bool bigEndian) {
    const std::uint64_t at = file->position;
    file->position += 8;
    if (!IsInsideMapping(*file, at, 8)) return 0.0;
    unsigned char bytes[8];
    std::memcpy(bytes, file->view + at, 8);
    if (bigEndian) {
        for (int i = 0; i < 4; ++i) {
            const unsigned char swap = bytes[i];
            bytes[i] = bytes[7 - i];
            bytes[7 - i] = swap;
        }
    }
    double value;
    std::memcpy(&value, bytes, 8);
    return value;
}
