#pragma once

#include <cstdint>

#include "loaders/raster_file.h"

// Reads every sample that an accepted raster claims, from dataOffset + index × sampleBytes, each
// through a bounds check of its own: a sample outside the mapping, or a raster that claims no
// picture, stops the fuzzer. It proves that the readers' refusal rule keeps every sample the
// samplers may ask for inside the file.
inline void ReadEverySample(const RasterFile& raster, std::int32_t sampleBytes) {
    if (raster.width <= 0 || raster.height <= 0 || raster.channels != 1 || raster.dataOffset < 0 ||
        sampleBytes <= 0) {
        __builtin_trap();
    }
    const std::uint64_t count = static_cast<std::uint64_t>(raster.width) * static_cast<std::uint64_t>(raster.height);
    const auto bytes = static_cast<std::uint64_t>(sampleBytes);
    volatile unsigned sum = 0;
    for (std::uint64_t i = 0; i < count; ++i) {
        const std::uint64_t offset = static_cast<std::uint64_t>(raster.dataOffset) + i * bytes;
        if (!IsInsideMapping(raster.file, offset, bytes)) __builtin_trap();
        for (std::uint64_t k = 0; k < bytes; ++k) sum = sum + raster.file.view[offset + k];
    }
}
