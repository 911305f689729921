#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "loaders/raster_file.h"

using RasterReader = bool (*)(RasterFile* raster, const wchar_t* path);

// What a header reader made of some bytes: its result, the raster it filled (its view still over
// `bytes`, never to be closed) and the messages it showed, as TakeShownMessages gives them.
struct ReadOutcome {
    bool accepted = false;
    RasterFile raster;
    std::wstring shown;
    std::unique_ptr<unsigned char[]> bytes;
};

// Runs `read` (ReadPdsLabel or ReadFitsHeader) over an exactly sized heap copy of `bytes` in
// place of a mapped file, so that the address sanitizer catches any read past the end.
ReadOutcome ReadFromMemory(RasterReader read, const std::string& bytes, const wchar_t* path = L"picture");

// The messages shown since the last call, each as "caption: text", joined by " | ", or "" when
// none was shown; they are forgotten.
std::wstring TakeShownMessages();

// The sample at column x of stored row y, read as the raster's fields describe it: big-endian
// unless the label says little-endian, reals for a PDS REAL or a negative BITPIX, 8-bit integers
// unsigned and wider ones signed unless `isSigned` is false.
double SampleAt(const ReadOutcome& read, std::int64_t x, std::int64_t y, bool isSigned = true);
