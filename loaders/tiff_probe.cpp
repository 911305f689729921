#include "loaders/tiff_probe.h"

#include <cstdio>

#include "loaders/byte_order.h"
#include "platform/open_file.h"

std::int16_t ProbeTiffVersion(const wchar_t* path) {
    std::FILE* file = OpenFileByPath(path, "rb");
    if (file == nullptr) return 0;
    unsigned char header[4];
    const bool whole = std::fread(header, 1, 4, file) == 4;
    std::fclose(file);
    if (!whole) return 0;
    const int version = LittleEndian16(header + 2);  // bytes 0 and 1, the byte order, are not examined
    if (version == 42) return 1;
    if (version == 43) return 2;
    return 0;
}
