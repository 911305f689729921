#include "loaders/mapped_file.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>

#include "platform/posix/utf8_path.h"

// Handles carry a file descriptor plus one, so that descriptor 0 is not mistaken for "closed".
// The mapping handle is a descriptor of its own, as a Windows mapping object keeps the file open.
namespace {

void* HandleOf(int descriptor) {
    return reinterpret_cast<void*>(static_cast<std::intptr_t>(descriptor) + 1);
}

int DescriptorOf(void* handle) {
    return static_cast<int>(reinterpret_cast<std::intptr_t>(handle) - 1);
}

}  // namespace

bool MapFile(const wchar_t* path, MappedFile* file) {
    const int descriptor = open(ToUtf8(path).c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0) return false;
    file->fileHandle = HandleOf(descriptor);
    struct stat status;
    // Only a regular file with bytes in it can be mapped, as on Windows.
    const bool mappable =
        fstat(descriptor, &status) == 0 && S_ISREG(status.st_mode) && status.st_size > 0;
    const int mapping = mappable ? fcntl(descriptor, F_DUPFD_CLOEXEC, 0) : -1;
    if (mapping < 0) {
        UnmapFile(file);
        return false;
    }
    file->mappingHandle = HandleOf(mapping);
    file->size = static_cast<std::uint64_t>(status.st_size);
    void* view = mmap(nullptr, file->size, PROT_READ, MAP_PRIVATE, mapping, 0);
    file->view = view == MAP_FAILED ? nullptr : static_cast<const unsigned char*>(view);
    return file->view != nullptr;
}

void UnmapFile(MappedFile* file) {
    if (file->view != nullptr) munmap(const_cast<unsigned char*>(file->view), file->size);
    if (file->mappingHandle != nullptr) close(DescriptorOf(file->mappingHandle));
    if (file->fileHandle != nullptr) close(DescriptorOf(file->fileHandle));
    file->view = nullptr;
    file->mappingHandle = nullptr;
    file->fileHandle = nullptr;
    file->size = 0;
}
