#include "imaging/sample_pixel.h"

#include "imaging/pixel_readers.h"

bool SamplePixel(const SourceImage& image, std::int32_t x, std::int32_t y, Colour* colour) {
    return WithPixelReader(image, [&](const auto& reader) { return reader.Read(x, y, colour); });
}
