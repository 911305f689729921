#include "imaging/contrast_stretch.h"

#include <algorithm>
#include <cmath>
#include <new>

#include "imaging/raster_rows.h"

std::int16_t g_contrastStretch = 0;

namespace {

// A picture of more samples than this is measured from runs of neighbouring samples spread over
// it: 1024 runs of 1024, each a few pages of the file, so that even a file of gigabytes is
// measured from a few megabytes of it.
constexpr std::int64_t kMeasuredSamples = std::int64_t{1} << 20;
constexpr std::int64_t kRunLength = 1024;
// Where a faint background dominates, the median is lifted to this fraction of the grey range.
constexpr double kBackgroundLevel = 0.25;
// The steepest bend allowed: the curve's first step still gains less than a grey level.
constexpr double kMostSoftening = 1000.0;

// The finite samples read so far, in a buffer of kMeasuredSamples at most.
struct Measured {
    double* values;
    std::int64_t count;
};

// Calls take(index) for every sample of a small picture, or for runs of samples whose starts
// fall at a golden-ratio fraction into equal strides of a large one: a stride that is a whole
// number of rows would otherwise start every run at the same column.
template <typename Take>
void VisitMeasuredSamples(std::int64_t total, Take take) {
    if (total <= kMeasuredSamples) {
        for (std::int64_t index = 0; index < total; ++index) take(index);
        return;
    }
    const std::int64_t runs = kMeasuredSamples / kRunLength;
    const double stride = static_cast<double>(total - kRunLength) / runs;
    for (std::int64_t run = 0; run < runs; ++run) {
        const double turn = run * 0.6180339887498949;
        const auto start = static_cast<std::int64_t>((run + (turn - std::floor(turn))) * stride);
        for (std::int64_t index = start; index < start + kRunLength; ++index) take(index);
    }
}

template <SampleCoding Coding>
void GatherSamples(const RasterFile& raster, Measured* measured) {
    constexpr std::int64_t bytes = SampleBytesOf(Coding);
    const WholeSamples whole = WholeSamplesOf(raster, bytes);
    VisitMeasuredSamples(std::int64_t{raster.width} * raster.height, [&](std::int64_t index) {
        const unsigned char* sample = RasterSample(raster, whole, bytes, index);
        if (sample == nullptr) return;
        const double value = SampleValue<Coding>(sample);
        if (std::isfinite(value)) measured->values[measured->count++] = value;
    });
}

struct Range {
    double low;
    double median;
    double high;
};

// The 0.5th, 50th and 99.5th percentiles; the whole span when they meet (a dark sky with a few
// stars), and a span around the one value of a flat picture that puts it in the middle.
Range RangeOf(double* values, std::int64_t count) {
    Range range{0.0, 0.0, 0.0};
    if (count > 0) {
        const std::int64_t middle = count / 2;
        const std::int64_t lowRank = count * 5 / 1000;
        const std::int64_t highRank = count - 1 - lowRank;
        // Each later selection works on one side of the median, which stays where it is.
        std::nth_element(values, values + middle, values + count);
        std::nth_element(values, values + lowRank, values + middle);
        std::nth_element(values + middle + 1, values + std::max(highRank, middle + 1), values + count);
        range = {values[lowRank], values[middle], highRank > middle ? values[highRank] : values[middle]};
        if (!(range.high > range.low)) {
            const auto extremes = std::minmax_element(values, values + count);
            range.low = *extremes.first;
            range.high = *extremes.second;
        }
    }
    if (!(range.high > range.low)) {
        const double half = std::max(1.0, std::fabs(range.low) * 0x1p-20);
        range = {range.low - half, range.low, range.low + half};
    }
    return range;
}

double Bend(double softening, double fraction) {
    return softening > 0.0 ? std::asinh(softening * fraction) / std::asinh(softening) : fraction;
}

// The softening that lifts the median to kBackgroundLevel, found by halving: the bend of a
// fraction below 1 grows with the softening. None where the median already lies that high.
double SofteningFor(double median) {
    if (!(median < kBackgroundLevel)) return 0.0;
    double lower = 0.0;
    double upper = kMostSoftening;
    if (Bend(upper, median) <= kBackgroundLevel) return upper;
    for (int halving = 0; halving < 60; ++halving) {
        const double middle = (lower + upper) / 2;
        (Bend(middle, median) < kBackgroundLevel ? lower : upper) = middle;
    }
    return upper;
}

template <SampleCoding Coding>
void FillStretch(const Range& range, SampleStretch* stretch) {
    const double span = range.high - range.low;
    const double softening = SofteningFor((range.median - range.low) / span);
    const std::int32_t steps = SampleStretch::kCurveSteps;
    for (std::int32_t step = 0; step < steps; ++step)
        stretch->curve[step] = static_cast<std::uint8_t>(255.0 * Bend(softening, static_cast<double>(step) / steps) + 0.5);
    stretch->coding = Coding;
    stretch->low = range.low;
    stretch->scale = steps / span;
    if constexpr (IsTableCoding(Coding)) {
        for (std::uint32_t bits = 0; bits < (1u << (8 * SampleBytesOf(Coding))); ++bits)
            stretch->greys[bits] = stretch->Grey(ValueOfBits<Coding>(bits));
    }
}

}  // namespace

SampleStretch* MeasureSampleStretch(const SourceImage& image) {
    const SampleCoding coding = SampleCodingOf(image);
    if (coding == SampleCoding::Unreadable) return nullptr;
    const auto& raster = *static_cast<const RasterFile*>(image.data);
    const std::int64_t total = std::int64_t{raster.width} * raster.height;
    if (total <= 0) return nullptr;
    auto* stretch = new (std::nothrow) SampleStretch();
    Measured measured{new (std::nothrow) double[static_cast<std::size_t>(std::min(total, kMeasuredSamples))], 0};
    if (stretch != nullptr && measured.values != nullptr) {
        WithSampleCoding(coding, [&](auto tag) {
            if constexpr (decltype(tag)::value != SampleCoding::Unreadable) {
                GatherSamples<decltype(tag)::value>(raster, &measured);
                FillStretch<decltype(tag)::value>(RangeOf(measured.values, measured.count), stretch);
            }
        });
    } else {
        delete stretch;
        stretch = nullptr;
    }
    delete[] measured.values;
    return stretch;
}

void FreeSampleStretch(SampleStretch* stretch) { delete stretch; }

const SampleStretch* StretchInForce(const SourceImage& image) {
    if (g_contrastStretch == 0 || image.loaded == 0 || image.data == nullptr) return nullptr;
    if (image.storage != ImageStorage::FitsFile && image.storage != ImageStorage::PdsFile) return nullptr;
    return static_cast<const RasterFile*>(image.data)->stretch;
}
