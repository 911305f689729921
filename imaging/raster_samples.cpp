#include "imaging/raster_samples.h"

#include "imaging/raster_rows.h"

namespace {

template <std::int32_t BitPix>
double FitsSample(RasterFile* raster, std::int32_t x, std::int32_t y) {
    const WholeSamples whole = WholeSamplesOf(*raster, FitsRow<BitPix>::kBytes);
    return FitsRowAt<BitPix>(raster, whole, y).Value(x);
}

template <PdsShown Shown>
void SetPdsGrey(const RasterFile& raster, const PdsSampleRule& rule, std::int32_t x, std::int32_t y, Colour* colour) {
    const WholeSamples whole = WholeSamplesOf(raster, rule.bytes);
    SetGrey(colour, PdsRowAt<Shown>(raster, whole, rule, y).Grey(x));
}

}  // namespace

double ReadFitsSample(RasterFile* raster, std::int32_t x, std::int32_t y) {
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

void ReadPdsSample(const RasterFile& raster, std::int32_t x, std::int32_t y, Colour* colour) {
    const PdsSampleRule rule = PdsRuleOf(raster);
    switch (rule.shown) {
    case PdsShown::Byte:
        SetPdsGrey<PdsShown::Byte>(raster, rule, x, y, colour);
        break;
    case PdsShown::RealBigEndian:
        SetPdsGrey<PdsShown::RealBigEndian>(raster, rule, x, y, colour);
        break;
    case PdsShown::RealLittleEndian:
        SetPdsGrey<PdsShown::RealLittleEndian>(raster, rule, x, y, colour);
        break;
    case PdsShown::Nothing:
        break;
    }
}
