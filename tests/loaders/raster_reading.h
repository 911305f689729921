#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "loaders/raster_file.h"
#include "platform/message_box.h"

using RasterReader = bool (*)(RasterFile* raster, const wchar_t* path);

// What a header reader made of some bytes: its result, the raster's fields (its file closed
// again) and the messages it showed.
struct ReadOutcome {
    bool accepted = false;
    RasterFile raster;
    std::vector<ShownMessage> messages;
};

// Runs `read` (ReadPdsLabel or ReadFitsHeader) over an exactly sized heap copy of `bytes` in
// place of a mapped file, so that the address sanitizer catches any read past the end.
ReadOutcome ReadFromMemory(RasterReader read, const std::vector<unsigned char>& bytes,
                           const wchar_t* path = L"picture");
ReadOutcome ReadFromMemory(RasterReader read, const std::string& bytes, const wchar_t* path = L"picture");

// The one message shown, as "caption: text", or "" when none was shown; several are joined by " | ".
std::wstring MessagesShown(const std::vector<ShownMessage>& messages);

// How samples are stored: `bytes` long, in `order`, integers (signed or not) or IEEE reals.
struct SampleStorage {
    std::int32_t bytes;
    SampleByteOrder order;
    SampleKind kind;
    bool isSigned;
};

// The sample with index i of a raster whose file is mapped, read back as stored.
double StoredSampleAt(const RasterFile& raster, std::int64_t i, const SampleStorage& storage);
