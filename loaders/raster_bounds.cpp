#include "loaders/raster_bounds.h"

std::int32_t RasterDataOffset(std::int64_t offset) {
    return offset < INT32_MIN || offset > INT32_MAX ? -1 : static_cast<std::int32_t>(offset);
}

bool RasterLiesInsideFile(const RasterFile& raster, std::int32_t sampleBytes) {
    if (raster.width <= 0 || raster.height <= 0 || raster.dataOffset < 0 || sampleBytes <= 0) {
        return false;
    }
    const auto offset = static_cast<std::uint64_t>(raster.dataOffset);
    if (!IsInsideMapping(raster.file, offset, 0)) return false;
    // Below 2^62 samples; divided rather than multiplied, so that nothing can overflow.
    const std::uint64_t samples =
        static_cast<std::uint64_t>(raster.width) * static_cast<std::uint64_t>(raster.height);
    return samples <= (raster.file.size - offset) / static_cast<std::uint64_t>(sampleBytes);
}
