#pragma once

// The box average of drawing, for footprints along the picture's axes.

#include <algorithm>
#include <cstdint>

#include "imaging/colour.h"
#include "imaging/sample_box_average.h"
#include "loaders/source_image.h"

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
        if constexpr (decltype(reader.RowAt(0))::kGrey) sums.green = sums.blue = sums.red;
        return sums.Mean(colour);
    }
};
