#include "imaging/sample_box_average.h"

#include "imaging/pixel_readers.h"

bool SampleBoxAverage(const SourceImage& image, double x, double y, const double u[2], const double v[2],
                      Colour* colour) {
    return WithPixelReader(image,
                           [&](const auto& reader) { return SampleBoxAverageWith(reader, image, x, y, u, v, colour); });
}
