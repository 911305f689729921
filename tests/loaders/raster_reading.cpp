#include "raster_reading.h"

#include <cstring>
#include <memory>

ReadOutcome ReadFromMemory(RasterReader read, const std::vector<unsigned char>& bytes, const wchar_t* path) {
    const std::unique_ptr<unsigned char[]> copy(new unsigned char[bytes.size()]);
    if (!bytes.empty()) std::memcpy(copy.get(), bytes.data(), bytes.size());
    ForgetShownMessages();
    ReadOutcome outcome;
    outcome.raster.file.view = copy.get();
    outcome.raster.file.size = bytes.size();
    outcome.accepted = read(&outcome.raster, path);
    outcome.raster.file = MappedFile();
    outcome.messages = ShownMessages();
    ForgetShownMessages();
    return outcome;
}

ReadOutcome ReadFromMemory(RasterReader read, const std::string& bytes, const wchar_t* path) {
    return ReadFromMemory(read, std::vector<unsigned char>(bytes.begin(), bytes.end()), path);
}

std::wstring MessagesShown(const std::vector<ShownMessage>& messages) {
    std::wstring all;
    for (const ShownMessage& message : messages) {
        if (!all.empty()) all += L" | ";
        all += message.caption + L": " + message.text;
    }
    return all;
}

double StoredSampleAt(const RasterFile& raster, std::int64_t i, const SampleStorage& storage) {
    const std::int32_t bytes = storage.bytes;
    const unsigned char* at = raster.file.view + raster.dataOffset + i * bytes;
    std::uint64_t bits = 0;
    for (std::int32_t k = 0; k < bytes; ++k) {
        const std::int32_t from = storage.order == SampleByteOrder::LittleEndian ? bytes - 1 - k : k;
        bits = bits << 8 | at[from];
    }
    if (storage.kind == SampleKind::Real && bytes == 4) {
        const auto narrow = static_cast<std::uint32_t>(bits);
        float value;
        std::memcpy(&value, &narrow, sizeof value);
        return value;
    }
    if (storage.kind == SampleKind::Real) {
        double value;
        std::memcpy(&value, &bits, sizeof value);
        return value;
    }
    const std::uint64_t signBit = std::uint64_t{1} << (8 * bytes - 1);
    if (storage.isSigned && (bits & signBit) != 0) return static_cast<double>(static_cast<std::int64_t>(bits - 2 * signBit));
    return static_cast<double>(bits);
}
