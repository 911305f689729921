#include "loaders/mapped_file.h"

bool IsInsideMapping(const MappedFile& file, std::uint64_t offset, std::uint64_t count) {
    return file.view != nullptr && offset <= file.size && count <= file.size - offset;
}
