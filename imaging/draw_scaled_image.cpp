#include "imaging/draw_scaled_image.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <type_traits>

#include "imaging/axis_footprint_sampler.h"
#include "imaging/enlarged_rows.h"
#include "imaging/interpolation_terms.h"
#include "imaging/pixel_readers.h"
#include "imaging/plot_pixel.h"
#include "imaging/sample_bilinear.h"

bool g_vectorInterpolation = TESSELON_VECTOR_TERMS != 0;

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
    Canvas* canvas;
    const SourceImage* image;
    const MaskShape* mask;
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
    using Column = BilinearColumn;
    // Columns a stretch; see PlannedStretch.
    static constexpr std::int32_t kStretch = kEnlargedStretch;

    bool PlanColumn(const SourceImage& image, double x, Column* column) const {
        return BilinearColumnAt(image, x, column);
    }

    template <typename Reader>
    BilinearRow<Reader> ForRow(const Reader& reader, const SourceImage& image, double y) const {
        return BilinearRow<Reader>(reader, image, y);
    }
};

// Columns are drawn a stretch at a time, every row of the stretch in turn: what depends on the
// column alone (its picture point, its mask column and the sampler's share of the work) is worked
// out once for all the rows instead of once for every pixel. Each pixel is still drawn once, so
// the order changes nothing. Only the columns within a run of the mask row are sampled at all,
// and no pixel is tested against the mask. A point beyond 32 bits lies outside every mask. A
// stretch of interpolated columns is long, for the work of each row of it (its mask runs, its
// picture rows) is then shared by many pixels; an averaged column holds the columns of its
// footprint, and its stretch stays short.
template <typename Sampler>
constexpr std::int32_t StretchOf() {
    if constexpr (std::is_same_v<Sampler, BilinearSampler>) return Sampler::kStretch;
    return 32;
}

struct NoSums {};

template <typename Sampler>
struct PlannedStretch {
    static constexpr std::int32_t kStretch = StretchOf<Sampler>();
    typename Sampler::Column columns[kStretch];
    std::int64_t maskColumns[kStretch];
    std::int32_t canvasColumns[kStretch];
    std::int32_t count;  // of the columns whose point lies inside the picture and the mask's width
    std::conditional_t<std::is_same_v<Sampler, BilinearSampler>, StretchSums, NoSums> sums;
};

template <typename Sampler>
void PlanStretch(const ScaledDrawing& drawing, const Sampler& sample, std::int32_t first, std::int32_t last,
                 PlannedStretch<Sampler>* stretch) {
    stretch->count = 0;
    if constexpr (std::is_same_v<Sampler, BilinearSampler>)
        std::fill(stretch->sums.rowOf, stretch->sums.rowOf + Sampler::kStretch, -1);
    for (std::int32_t x = first; x <= last; ++x) {
        const double px = (x - drawing.centreX) * drawing.step + drawing.halfWidth + drawing.sourceX;
        const std::int32_t at = stretch->count;
        if (drawing.mask != nullptr) {
            stretch->maskColumns[at] = TruncatedOrBeyond(px) - drawing.firstSourceColumn;
            if (stretch->maskColumns[at] < 0 || stretch->maskColumns[at] >= drawing.sourceWidth) continue;
        }
        if (!sample.PlanColumn(*drawing.image, px, &stretch->columns[at])) continue;
        stretch->canvasColumns[at] = x;
        ++stretch->count;
    }
}

// Draws the columns of the stretch at positions first … end − 1 of canvas row y.
template <typename Row, typename Sampler>
void DrawColumns(const ScaledDrawing& drawing, const Row& sampleRow, const PlannedStretch<Sampler>& stretch,
                 std::int32_t first, std::int32_t end, std::int32_t y) {
    for (std::int32_t at = first; at < end; ++at) {
        Colour colour;
        if (sampleRow(stretch.columns[at], &colour)) PlotPixel(drawing.canvas, stretch.canvasColumns[at], y, colour);
    }
}

// Neighbouring columns of an enlarged picture often lie between the same four pixels, which are
// then read, and their terms worked out, once for all of them. What stays the same along the row
// is read before it: the compiler cannot know that the pixels written leave it alone.
// Only an enlarged picture (a step below 1) has canvas rows that share their rows of pixels, where
// kept column sums pay.
template <typename Reader>
void DrawColumns(const ScaledDrawing& drawing, const BilinearRow<Reader>& sampleRow,
                 PlannedStretch<BilinearSampler>& stretch, std::int32_t first, std::int32_t end, std::int32_t y) {
    const std::int32_t channels = drawing.image->channels;
#if TESSELON_VECTOR_TERMS
    if (g_vectorInterpolation && drawing.step < 1.0) {
        DrawEnlargedRow(sampleRow, EnlargedColumns{stretch.columns, stretch.canvasColumns, &stretch.sums}, first, end,
                        channels, drawing.canvas->pixels + drawing.canvas->WorkingBytes(0, y),
                        static_cast<std::size_t>(drawing.canvas->bytesPerPixel));
        return;
    }
#endif
    InterpolationTerms terms;
    std::int32_t termsX0 = -1;  // whether a pixel lies to the right follows from x0 alone
    const bool vector = g_vectorInterpolation;
    const auto bytesPerPixel = static_cast<std::size_t>(drawing.canvas->bytesPerPixel);
    std::uint8_t* const row = drawing.canvas->pixels + drawing.canvas->WorkingBytes(0, y);
    for (std::int32_t at = first; at < end; ++at) {
        const BilinearColumn& column = stretch.columns[at];
        if (column.x0 != termsX0) {
            Colour a, b, c, d;
            sampleRow.Corners(column, &a, &b, &c, &d);
            TermsOf(a, b, c, d, vector, &terms);
            termsX0 = column.x0;
        }
        Colour colour;
        InterpolateTerms(terms, column.fx, sampleRow.fy, channels, vector, &colour);
        BlendColour(row + static_cast<std::size_t>(stretch.canvasColumns[at]) * bytesPerPixel, colour);
    }
}

template <typename Reader, typename Sampler>
void DrawStretchRows(const ScaledDrawing& drawing, const Reader& reader, const Sampler& sample,
                     PlannedStretch<Sampler>& stretch) {
    const std::int64_t* maskColumns = stretch.maskColumns;
    for (std::int32_t y = drawing.firstRow; y <= drawing.lastRow; ++y) {
        const double py = (y - drawing.centreY) * drawing.step + drawing.halfHeight + drawing.sourceY;
        MaskRun runs[2];
        std::int32_t runCount = 0;
        if (drawing.mask != nullptr) {
            const std::int64_t my = TruncatedOrBeyond(py) - drawing.firstSourceRow;
            if (my < 0 || my >= drawing.sourceHeight) continue;
            runCount = MaskRowRuns(*drawing.mask, static_cast<std::int32_t>(my), runs);
            if (runCount == 0) continue;
        }
        const auto sampleRow = sample.ForRow(reader, *drawing.image, py);
        if (!sampleRow.inside) continue;
        if (drawing.mask == nullptr) {
            DrawColumns(drawing, sampleRow, stretch, 0, stretch.count, y);
            continue;
        }
        for (std::int32_t r = 0; r < runCount; ++r) {
            const auto first = std::lower_bound(maskColumns, maskColumns + stretch.count, runs[r].first) - maskColumns;
            const auto end = std::lower_bound(maskColumns + first, maskColumns + stretch.count, runs[r].end) - maskColumns;
            DrawColumns(drawing, sampleRow, stretch, static_cast<std::int32_t>(first), static_cast<std::int32_t>(end), y);
        }
    }
}

template <typename Reader, typename Sampler>
void DrawRows(const ScaledDrawing& drawing, const Reader& reader, const Sampler& sample) {
    PlannedStretch<Sampler> stretch;
    constexpr std::int32_t kStretch = PlannedStretch<Sampler>::kStretch;
    for (std::int32_t first = drawing.firstColumn; first <= drawing.lastColumn; first += kStretch) {
        PlanStretch(drawing, sample, first, std::min(first + kStretch - 1, drawing.lastColumn), &stretch);
        if (stretch.count > 0) DrawStretchRows(drawing, reader, sample, stretch);
    }
}

// The step of picture pixels per canvas pixel, 0 when the numbers give none.
double StepOf(std::int32_t sourceWidth, std::int32_t sourceHeight, double centreX, double centreY, double destWidth,
              double destHeight) {
    if (sourceWidth <= 0 || sourceHeight <= 0) return 0.0;
    if (!(std::isfinite(centreX) && std::isfinite(centreY) && std::isfinite(destWidth) && std::isfinite(destHeight)))
        return 0.0;
    const double step = std::max(sourceWidth / destWidth, sourceHeight / destHeight);
    return step > 0.0 && std::isfinite(step) ? step : 0.0;
}

CanvasArea AreaAtStep(const Canvas& canvas, std::int32_t sourceWidth, std::int32_t sourceHeight, double centreX,
                      double centreY, double step) {
    CanvasArea area{{0, 0}, 0, 0};
    std::int32_t lastColumn = 0;
    std::int32_t lastRow = 0;
    if (!VisitedSpan(centreX, std::trunc(sourceWidth / step * 0.5), canvas.width, &area.firstColumn, &lastColumn) ||
        !VisitedSpan(centreY, std::trunc(sourceHeight / step * 0.5), canvas.height, &area.rows.first, &lastRow))
        return CanvasArea{{0, 0}, 0, 0};
    area.endColumn = lastColumn + 1;
    area.rows.end = lastRow + 1;
    return area;
}

}  // namespace

CanvasArea ScaledImageArea(const Canvas& canvas, std::int32_t sourceWidth, std::int32_t sourceHeight, double centreX,
                           double centreY, double destWidth, double destHeight) {
    const double step = StepOf(sourceWidth, sourceHeight, centreX, centreY, destWidth, destHeight);
    if (step == 0.0) return CanvasArea{{0, 0}, 0, 0};
    return AreaAtStep(canvas, sourceWidth, sourceHeight, centreX, centreY, step);
}

RowBand DrawScaledImageInArea(Canvas* canvas, const SourceImage* image, std::int32_t sourceX, std::int32_t sourceY,
                              std::int32_t sourceWidth, std::int32_t sourceHeight, const MaskShape* mask,
                              std::int16_t allowAveraging, double centreX, double centreY, double destWidth,
                              double destHeight, CanvasArea clip) {
    const RowBand none{0, 0};
    if (canvas == nullptr || image == nullptr || image->loaded == 0) return none;
    const double step = StepOf(sourceWidth, sourceHeight, centreX, centreY, destWidth, destHeight);
    if (step == 0.0) return none;
    if (canvas->pixels == nullptr || canvas->bytesPerPixel < 3) return none;
    const CanvasArea area = AreaAtStep(*canvas, sourceWidth, sourceHeight, centreX, centreY, step);
    ScaledDrawing drawing{canvas, image, mask, sourceX, sourceY, sourceWidth, sourceHeight,
                          static_cast<double>(sourceX), static_cast<double>(sourceY),
                          static_cast<double>(sourceWidth / 2), static_cast<double>(sourceHeight / 2), centreX,
                          centreY, step, std::max(area.firstColumn, clip.firstColumn),
                          std::min(area.endColumn, clip.endColumn) - 1, std::max(area.rows.first, clip.rows.first),
                          std::min(area.rows.end, clip.rows.end) - 1};
    if (drawing.firstRow > drawing.lastRow || drawing.firstColumn > drawing.lastColumn) return none;

    const bool averaging = allowAveraging != 0 && step > kAveragingStep;
    WithPixelReader(*image, [&](const auto& reader) {
        if (averaging)
            DrawRows(drawing, reader, AxisFootprintSampler(step));
        else
            DrawRows(drawing, reader, BilinearSampler{});
    });
    return RowBand{drawing.firstRow, drawing.lastRow + 1};
}

void DrawScaledImage(Canvas* canvas, const SourceImage* image, std::int32_t sourceX, std::int32_t sourceY,
                     std::int32_t sourceWidth, std::int32_t sourceHeight, const MaskShape* mask,
                     std::int16_t allowAveraging, double centreX, double centreY, double destWidth, double destHeight) {
    if (canvas == nullptr) return;
    // The working image is held for the whole square rather than entered for every pixel written:
    // per pixel, the lock cost a third of a frame, and no other thread ever waits for it.
    LockHold render(&canvas->renderLock);
    canvas->changedRows = RowBand{0, canvas->height};
    DrawScaledImageInArea(canvas, image, sourceX, sourceY, sourceWidth, sourceHeight, mask, allowAveraging, centreX,
                          centreY, destWidth, destHeight, CanvasArea{{0, canvas->height}, 0, canvas->width});
}
