#include "imaging/raster_samples.h"

#include "imaging/pixel_readers.h"
#include "imaging/raster_rows.h"

namespace {

template <std::int32_t BitPix>
double FitsSample(const RasterFile* raster, std::int32_t x, std::int32_t y) {
    const WholeSamples whole = WholeSamplesOf(*raster, FitsRow<BitPix>::kBytes);
    return FitsRowAt<BitPix>(raster, whole, y).Value(x);
}

}  // namespace

double ReadFitsSample(const RasterFile* raster, std::int32_t x, std::int32_t y) {
    switch (raster->sampleFormat) {
    case 8:
        return FitsSample<8>(raster, x, y);
    case 16:
        return FitsSample<16>(raster, x, y);
    case 32:
        return FitsSample<32>(raster, x, y);
    case -32:
        return FitsSample<-32>(raster, x, y);
    case -64:
        return FitsSample<-64>(raster, x, y);
    default:
        return 0.0;
    }
}

// A PDS sample is bounded by the mapping alone, so the reader's extent is never consulted here.
void ReadPdsSample(const RasterFile& raster, std::int32_t x, std::int32_t y, Colour* colour) {
    WithPdsReader(PictureExtent{raster.width, raster.height}, &raster,
                  [&](const auto& reader) { reader.RowAt(y).Get(x, colour); });
}
