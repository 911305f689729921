#include "imaging/draw_scaled_image.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <utility>

#include "imaging/pixel_readers.h"
#include "imaging/plot_pixel.h"
#include "imaging/sample_bilinear.h"
#include "imaging/sample_box_average.h"

namespace {

// Averaging serves only where the picture is shown at less than 1/1.1 of its size.
constexpr double kAveragingStep = 1.1;

// The canvas columns (or rows) a drawing visits run from trunc(centre − half − 0.5) to
// trunc(centre + half + 0.5). They are clipped to 0 … limit − 1 before anything is converted
// to an integer, so that a square far off the canvas costs nothing and converts nothing out of
// range. False when none of them lies on the canvas.
bool VisitedSpan(double centre, double half, std::int32_t limit, std::int32_t* first, std::int32_t* last) {
    const double low = centre - half - 0.5;
    const double high = centre + half + 0.5;
    // trunc(high) ≥ 0 exactly when high > −1; trunc(low) < limit exactly when low < limit.
    if (!(high > -1.0 && low < limit)) return false;
    *first = low < 0.0 ? 0 : static_cast<std::int32_t>(low);
    *last = high >= limit ? limit - 1 : static_cast<std::int32_t>(high);
    return *first <= *last;
}

// A picture coordinate truncated toward zero; one beyond 32 bits (or not a number) gives a
// value no mask reaches.
std::int64_t TruncatedOrBeyond(double value) {
    if (!(value > -2147483649.0 && value < 2147483648.0)) return INT64_MIN / 2;
    return static_cast<std::int32_t>(value);
}

// What stays the same for every pixel of one drawing.
struct ScaledDrawing {
    std::uint8_t* pixels;  // the canvas's working image
    std::int64_t canvasRowBytes;
    std::int64_t bytesPerPixel;
    const SourceImage* image;
    const unsigned char* mask;
    std::int64_t firstSourceColumn;
    std::int64_t firstSourceRow;
    std::int64_t sourceWidth;
    std::int64_t sourceHeight;
    double sourceX;
    double sourceY;
    double halfWidth;  // the integer halves of the source size
    double halfHeight;
    double centreX;
    double centreY;
    double step;
    std::int32_t firstColumn;
    std::int32_t lastColumn;
    std::int32_t firstRow;
    std::int32_t lastRow;
};

// Interpolates, for pictures shown at about their size or larger.
struct BilinearSampler {
    template <typename Reader>
    bool operator()(const Reader& reader, const SourceImage& image, double x, double y, Colour* colour) const {
        return SampleBilinearWith(reader, image, x, y, colour);
    }
};

template <typename Reader>
constexpr bool ReaderIsGrey() {
    return decltype(std::declval<Reader>().RowAt(0))::kGrey;
}

// Adds the samples of one row of a footprint. A grey picture's channels are equal and opaque, so
// one sum serves for all three.
template <typename Row>
void AddRowSamples(const Row& line, const std::int32_t* columns, std::int32_t count, ChannelSums* sums) {
    if constexpr (Row::kGrey) {
        std::int64_t level = 0;
        for (std::int32_t i = 0; i < count; ++i) level += line.Grey(columns[i]);
        sums->red += level;
        sums->count += count;
    } else {
        ChannelSums row;
        for (std::int32_t i = 0; i < count; ++i) {
            Colour sample;
            line.Get(columns[i], &sample);
            row.Add(sample);
        }
        sums->red += row.red;
        sums->green += row.green;
        sums->blue += row.blue;
        sums->transparency += row.transparency;
        sums->count += row.count;
    }
}

// Averages the footprint of one canvas pixel, step × step picture pixels from its corner: the
// grid SampleBoxAverage reads for u = (step, 0) and v = (0, step), point for point, with the
// offsets step × i / n of its rows and columns worked out once per drawing instead of for every
// sample. Along both axes the points only move up, so the first column beyond the picture ends
// the columns and the first row beyond it ends the rows. A sum does not depend on its order, so
// the columns are taken a stretch at a time, each worked out once for all the rows.
struct AxisFootprintSampler {
    // Enough for a picture shown at 1/64 of its size; beyond that offsets are worked out as needed.
    static constexpr std::int32_t kStoredOffsets = 64;

    double step;
    std::int32_t steps;
    double offsets[kStoredOffsets];

    explicit AxisFootprintSampler(double footprint) : step(footprint), steps(FootprintSteps(footprint, 0.0)), offsets() {
        for (std::int32_t i = 0; i < kStoredOffsets && i < steps; ++i) offsets[i] = step * i / steps;
    }

    double Offset(std::int32_t i) const { return i < kStoredOffsets ? offsets[i] : step * i / steps; }

    // The grid's points are never negative, so converting one that lies inside the picture is
    // the truncation itself; every point read lies inside, where a read always counts.
    template <typename Reader>
    bool operator()(const Reader& reader, const SourceImage& image, double x, double y, Colour* colour) const {
        *colour = Colour();
        if (image.loaded == 0 || !(x >= 0.0 && x < image.width && y >= 0.0 && y < image.height)) return false;
        ChannelSums sums;
        std::int32_t columns[kStoredOffsets];
        for (std::int32_t first = 0; first < steps; first += kStoredOffsets) {
            const std::int32_t stretch = std::min(steps - first, kStoredOffsets);
            std::int32_t inside = 0;
            while (inside < stretch) {
                const double column = x + Offset(first + inside);
                if (!(column < image.width)) break;
                columns[inside++] = static_cast<std::int32_t>(column);
            }
            for (std::int32_t j = 0; j < steps; ++j) {
                const double row = y + Offset(j);
                if (!(row < image.height)) break;
                AddRowSamples(reader.RowAt(static_cast<std::int32_t>(row)), columns, inside, &sums);
            }
            if (inside < stretch) break;
        }
        if (ReaderIsGrey<Reader>()) sums.green = sums.blue = sums.red;
        return sums.Mean(colour);
    }
};

// The mask is tested before the picture is sampled: the pixel is skipped either way, and the
// sample it would have cost is saved. A point beyond 32 bits lies outside every mask.
template <typename Reader, typename Sampler>
void DrawRows(const ScaledDrawing& drawing, const Reader& reader, const Sampler& sample) {
    for (std::int32_t y = drawing.firstRow; y <= drawing.lastRow; ++y) {
        const double py = (y - drawing.centreY) * drawing.step + drawing.halfHeight + drawing.sourceY;
        std::uint8_t* canvasRow = drawing.pixels + y * drawing.canvasRowBytes;
        const unsigned char* maskRow = nullptr;
        if (drawing.mask != nullptr) {
            const std::int64_t my = TruncatedOrBeyond(py) - drawing.firstSourceRow;
            if (my < 0 || my >= drawing.sourceHeight) continue;
            maskRow = drawing.mask + my * drawing.sourceWidth;
        }
        for (std::int32_t x = drawing.firstColumn; x <= drawing.lastColumn; ++x) {
            const double px = (x - drawing.centreX) * drawing.step + drawing.halfWidth + drawing.sourceX;
            if (maskRow != nullptr) {
                const std::int64_t mx = TruncatedOrBeyond(px) - drawing.firstSourceColumn;
                if (mx < 0 || mx >= drawing.sourceWidth || maskRow[mx] == 0) continue;
            }
            Colour colour;
            if (sample(reader, *drawing.image, px, py, &colour)) BlendColour(canvasRow + x * drawing.bytesPerPixel, colour);
        }
    }
}

}  // namespace

void DrawScaledImage(Canvas* canvas, const SourceImage* image, std::int32_t sourceX, std::int32_t sourceY,
                     std::int32_t sourceWidth, std::int32_t sourceHeight, const unsigned char* mask,
                     std::int16_t allowAveraging, double centreX, double centreY, double destWidth, double destHeight) {
    if (canvas == nullptr || image == nullptr || sourceWidth <= 0 || sourceHeight <= 0) return;
    if (!(std::isfinite(centreX) && std::isfinite(centreY) && std::isfinite(destWidth) && std::isfinite(destHeight)))
        return;
    const double step = std::max(sourceWidth / destWidth, sourceHeight / destHeight);
    if (!(step > 0.0 && std::isfinite(step))) return;

    // The working image is held for the whole square rather than entered for every pixel written:
    // per pixel, the lock cost a third of a frame, and no other thread ever waits for it.
    LockHold render(&canvas->renderLock);
    if (canvas->pixels == nullptr || canvas->bytesPerPixel < 3) return;
    ScaledDrawing drawing{canvas->pixels, static_cast<std::int64_t>(canvas->width) * canvas->bytesPerPixel,
                          canvas->bytesPerPixel, image, mask, sourceX, sourceY, sourceWidth, sourceHeight,
                          static_cast<double>(sourceX), static_cast<double>(sourceY),
                          static_cast<double>(sourceWidth / 2), static_cast<double>(sourceHeight / 2), centreX,
                          centreY, step, 0, 0, 0, 0};
    const double halfDestWidth = std::trunc(sourceWidth / step * 0.5);
    const double halfDestHeight = std::trunc(sourceHeight / step * 0.5);
    if (!VisitedSpan(centreX, halfDestWidth, canvas->width, &drawing.firstColumn, &drawing.lastColumn)) return;
    if (!VisitedSpan(centreY, halfDestHeight, canvas->height, &drawing.firstRow, &drawing.lastRow)) return;

    const bool averaging = allowAveraging != 0 && step > kAveragingStep;
    WithPixelReader(*image, [&](const auto& reader) {
        if (averaging)
            DrawRows(drawing, reader, AxisFootprintSampler(step));
        else
            DrawRows(drawing, reader, BilinearSampler{});
    });
}
