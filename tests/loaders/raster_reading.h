#pragma once

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "loaders/raster_file.h"
#include "platform/message_box.h"

// The messages shown since the last call, each as "caption: text", joined by " | ", or "" when
// none was shown; they are forgotten.
inline std::wstring TakeShownMessages() {
    std::wstring all;
    for (const ShownMessage& message : ShownMessages()) {
        all += (all.empty() ? L"" : L" | ") + message.caption + L": " + message.text;
    }
    ForgetShownMessages();
    return all;
}

// What a header reader made of some bytes: its result, the raster it filled (its view still over
// `bytes`, never to be closed) and the messages it showed.
struct ReadOutcome {
    bool accepted = false;
    RasterFile raster;
    std::wstring shown;
    std::unique_ptr<unsigned char[]> bytes;
};

// Runs `read` (ReadPdsLabel or ReadFitsHeader) over an exactly sized heap copy of `bytes` in
// place of a mapped file, so that the address sanitizer catches any read past the end.
inline ReadOutcome ReadFromMemory(bool (*read)(RasterFile*, const wchar_t*), const std::string& bytes,
                                  const wchar_t* path = L"picture") {
    ReadOutcome outcome;
    outcome.bytes.reset(new unsigned char[bytes.size()]);
    std::memcpy(outcome.bytes.get(), bytes.data(), bytes.size());
    outcome.raster.file.view = outcome.bytes.get();
    outcome.raster.file.size = bytes.size();
    ForgetShownMessages();
    outcome.accepted = read(&outcome.raster, path);
    outcome.shown = TakeShownMessages();
    return outcome;
}

// The sample at column x of stored row y, read as the raster's fields describe it: big-endian
// unless the label says little-endian, reals for a PDS REAL or a negative BITPIX, 8-bit integers
// unsigned and wider ones signed unless `isSigned` is false.
inline double SampleAt(const RasterFile& raster, std::int64_t x, std::int64_t y, bool isSigned = true) {
    const std::int32_t bytes = std::abs(raster.sampleFormat) / 8;
    const unsigned char* at = raster.file.view + raster.dataOffset + (y * raster.width + x) * bytes;
    const bool little = raster.byteOrder == SampleByteOrder::LittleEndian;
    std::uint64_t bits = 0;
    for (std::int32_t k = 0; k < bytes; ++k) bits = bits << 8 | at[little ? bytes - 1 - k : k];
    if (raster.sampleFormat < 0 || raster.sampleKind == SampleKind::Real) {
        const auto low = static_cast<std::uint32_t>(bits);
        float narrow;
        double wide;
        std::memcpy(&narrow, &low, sizeof narrow);
        std::memcpy(&wide, &bits, sizeof wide);
        return bytes == 4 ? narrow : wide;
    }
    const double top = static_cast<double>(std::uint64_t{1} << (8 * bytes - 1));
    const bool negative = isSigned && bytes > 1 && static_cast<double>(bits) >= top;
    return static_cast<double>(bits) - (negative ? 2 * top : 0);
}
