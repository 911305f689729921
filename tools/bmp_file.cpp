#include "tools/bmp_file.h"

#include <cstdint>

namespace {

constexpr std::uint32_t kHeaderBytes = 54;

void AppendLittleEndian(std::vector<unsigned char>* bytes, std::uint32_t value, std::int32_t count) {
    for (std::int32_t i = 0; i < count; ++i) bytes->push_back(static_cast<unsigned char>(value >> (8 * i)));
}

}  // namespace

std::vector<unsigned char> BmpFile(const ShownPicture& picture) {
    const auto rowBytes = static_cast<std::uint32_t>((picture.width * 3 + 3) / 4 * 4);
    const std::uint32_t pixelBytes = rowBytes * static_cast<std::uint32_t>(picture.height);
    std::vector<unsigned char> bytes = {'B', 'M'};
    AppendLittleEndian(&bytes, kHeaderBytes + pixelBytes, 4);
    AppendLittleEndian(&bytes, 0, 4);
    AppendLittleEndian(&bytes, kHeaderBytes, 4);
    AppendLittleEndian(&bytes, 40, 4);  // the size of the information header that follows
    AppendLittleEndian(&bytes, static_cast<std::uint32_t>(picture.width), 4);
    AppendLittleEndian(&bytes, static_cast<std::uint32_t>(picture.height), 4);  // positive: the bottom row comes first
    AppendLittleEndian(&bytes, 1, 2);                                           // planes
    AppendLittleEndian(&bytes, 24, 2);                                          // bits a pixel
    AppendLittleEndian(&bytes, 0, 4);                                           // uncompressed
    AppendLittleEndian(&bytes, pixelBytes, 4);
    AppendLittleEndian(&bytes, 2835, 4);  // 72 pixels an inch, as pixels a metre, each way
    AppendLittleEndian(&bytes, 2835, 4);
    AppendLittleEndian(&bytes, 0, 4);  // no palette
    AppendLittleEndian(&bytes, 0, 4);
    for (std::int32_t y = 0; y < picture.height; ++y) {
        for (std::int32_t x = 0; x < picture.width; ++x) {
            bytes.insert(bytes.end(), {picture.Level(x, y, 2), picture.Level(x, y, 1), picture.Level(x, y, 0)});
        }
        bytes.resize(kHeaderBytes + rowBytes * static_cast<std::uint32_t>(y + 1), 0);
    }
    return bytes;
}
