#include "imaging/sample_bilinear.h"

#include "imaging/pixel_readers.h"

bool SampleBilinear(const SourceImage& image, double x, double y, Colour* colour) {
    return WithPixelReader(image, [&](const auto& reader) { return SampleBilinearWith(reader, image, x, y, colour); });
}
