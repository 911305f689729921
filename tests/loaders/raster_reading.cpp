#include "raster_reading.h"

#include <cstdlib>
#include <cstring>

#include "platform/message_box.h"

ReadOutcome ReadFromMemory(RasterReader read, const std::string& bytes, const wchar_t* path) {
    ReadOutcome outcome;
    outcome.bytes.reset(new unsigned char[bytes.size()]);
    if (!bytes.empty()) std::memcpy(outcome.bytes.get(), bytes.data(), bytes.size());
    outcome.raster.file.view = outcome.bytes.get();
    outcome.raster.file.size = bytes.size();
    ForgetShownMessages();
    outcome.accepted = read(&outcome.raster, path);
    outcome.shown = TakeShownMessages();
    return outcome;
}

std::wstring TakeShownMessages() {
    std::wstring all;
    for (const ShownMessage& message : ShownMessages()) {
        all += (all.empty() ? L"" : L" | ") + message.caption + L": " + message.text;
    }
    ForgetShownMessages();
    return all;
}

double SampleAt(const ReadOutcome& read, std::int64_t x, std::int64_t y, bool isSigned) {
    const RasterFile& raster = read.raster;
    const std::int32_t bytes = std::abs(raster.sampleFormat) / 8;
    const unsigned char* at = raster.file.view + raster.dataOffset + (y * raster.width + x) * bytes;
    const bool little = raster.byteOrder == SampleByteOrder::LittleEndian;
    std::uint64_t bits = 0;
    for (std::int32_t k = 0; k < bytes; ++k) bits = bits << 8 | at[little ? bytes - 1 - k : k];
    if (raster.sampleFormat < 0 || raster.sampleKind == SampleKind::Real) {
        if (bytes == 8) {
            double value;
            std::memcpy(&value, &bits, sizeof value);
            return value;
        }
        const auto narrow = static_cast<std::uint32_t>(bits);
        float value;
        std::memcpy(&value, &narrow, sizeof value);
        return value;
    }
    const double top = static_cast<double>(std::uint64_t{1} << (8 * bytes - 1));
    const bool negative = isSigned && bytes > 1 && static_cast<double>(bits) >= top;
    return static_cast<double>(bits) - (negative ? 2 * top : 0);
}
