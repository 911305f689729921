#include "imaging/raster_samples.h"

#include "imaging/pixel_readers.h"

double ReadFitsSample(RasterFile* raster, std::int32_t x, std::int32_t y) {
    switch (raster->sampleFormat) {
    case 8:
        return FitsSampleAt<8>(raster, x, y);
    case 16:
        return FitsSampleAt<16>(raster, x, y);
    case 32:
        return FitsSampleAt<32>(raster, x, y);
    case -32:
        return FitsSampleAt<-32>(raster, x, y);
    case -64:
        return FitsSampleAt<-64>(raster, x, y);
    default:
        return 0.0;
    }
}

void ReadPdsSample(const RasterFile& raster, std::int32_t x, std::int32_t y, Colour* colour) {
    const PdsSampleRule rule = PdsRuleOf(raster);
    switch (rule.shown) {
    case PdsShown::Byte:
        SetGrey(colour, PdsGreyAt<PdsShown::Byte>(raster, rule, x, y));
        break;
    case PdsShown::RealBigEndian:
        SetGrey(colour, PdsGreyAt<PdsShown::RealBigEndian>(raster, rule, x, y));
        break;
    case PdsShown::RealLittleEndian:
        SetGrey(colour, PdsGreyAt<PdsShown::RealLittleEndian>(raster, rule, x, y));
        break;
    case PdsShown::Nothing:
        break;
    }
}
