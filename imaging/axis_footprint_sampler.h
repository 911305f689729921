#pragma once

// The box average of drawing, for footprints along the picture's axes.

#include <algorithm>
#include <cstdint>
#include <utility>

#include "imaging/colour.h"
#include "imaging/sample_box_average.h"
#include "loaders/source_image.h"

// Adds the samples of one row of a footprint; unchecked, every column lies wholly in the row's
// storage. A grey picture's channels are equal and opaque, so one sum serves for all three.
template <bool Checked, typename Row>
void AddRowSamples(const Row& line, const std::int32_t* columns, std::int32_t count, ChannelSums* sums) {
    if constexpr (Row::kGrey) {
        std::int64_t level = 0;
        for (std::int32_t i = 0; i < count; ++i) level += line.template Grey<Checked>(columns[i]);
        sums->red += level;
    } else {
        std::int64_t red = 0, green = 0, blue = 0, transparency = 0;
        for (std::int32_t i = 0; i < count; ++i) {
            Colour sample;
            line.template Get<Checked>(columns[i], &sample);
            red += sample.red;
            green += sample.green;
            blue += sample.blue;
            transparency += sample.transparency;
        }
        sums->red += red;
        sums->green += green;
        sums->blue += blue;
        sums->transparency += transparency;
    }
    sums->count += count;
}

// The truncated means of footprints of `count` samples, the usual count, by multiplying: a sum of
// at most 255 × count samples, times ceil(2^32 / count), shifted down by 32, is the truncated
// quotient while 255 × count² stays within 2^32, that is for up to 64 × 64 samples.
struct FullFootprintMean {
    std::int64_t count;
    std::uint64_t reciprocal;  // 0 where it would not be exact

    explicit FullFootprintMean(std::int64_t samples)
        : count(samples), reciprocal(samples <= 4096 ? ((std::uint64_t{1} << 32) + samples - 1) / samples : 0) {}

    bool operator()(const ChannelSums& sums, Colour* colour) const {
        if (sums.count != count || reciprocal == 0) return sums.Mean(colour);
        const auto quotient = [this](std::int64_t sum) {
            return static_cast<std::uint8_t>(static_cast<std::uint64_t>(sum) * reciprocal >> 32);
        };
        colour->red = quotient(sums.red);
        colour->green = quotient(sums.green);
        colour->blue = quotient(sums.blue);
        colour->transparency = quotient(sums.transparency);
        return true;
    }
};

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
    FullFootprintMean mean;

    explicit AxisFootprintSampler(double footprint)
        : step(footprint), steps(FootprintSteps(footprint, 0.0)), offsets(),
          mean(static_cast<std::int64_t>(steps) * steps) {
        for (std::int32_t i = 0; i < kStoredOffsets && i < steps; ++i) offsets[i] = step * i / steps;
    }

    double Offset(std::int32_t i) const { return i < kStoredOffsets ? offsets[i] : step * i / steps; }

    // The columns of the footprint from x on within one stretch, up to the first beyond the picture.
    std::int32_t Columns(const SourceImage& image, double x, std::int32_t first, std::int32_t stretch,
                         std::int32_t* columns) const {
        std::int32_t inside = 0;
        while (inside < stretch) {
            const double column = x + Offset(first + inside);
            if (!(column < image.width)) break;
            columns[inside++] = static_cast<std::int32_t>(column);
        }
        return inside;
    }

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
            const std::int32_t inside = Columns(image, x, first, stretch, columns);
            for (std::int32_t j = 0; j < steps; ++j) {
                const double row = y + Offset(j);
                if (!(row < image.height)) break;
                AddRowSamples<true>(reader.RowAt(static_cast<std::int32_t>(row)), columns, inside, &sums);
            }
            if (inside < stretch) break;
        }
        if constexpr (decltype(reader.RowAt(0))::kGrey) sums.green = sums.blue = sums.red;
        return mean(sums, colour);
    }

    // The columns of the footprints whose corner lies at picture column x, the same for every row
    // drawn there, up to the first beyond the picture; only x itself beyond the stored offsets.
    struct Column {
        double x;
        std::int32_t count;
        std::int32_t columns[kStoredOffsets];
    };

    // False when x lies outside the picture, where every footprint fails.
    bool PlanColumn(const SourceImage& image, double x, Column* column) const {
        if (!(x >= 0.0 && x < image.width)) return false;
        column->x = x;
        if (steps <= kStoredOffsets) column->count = Columns(image, x, 0, steps, column->columns);
        return true;
    }

    // The footprints of one canvas row, all with their corners at picture row y, read the same
    // picture rows; those are found once for the whole row.
    template <typename Reader>
    struct Row {
        using Line = decltype(std::declval<Reader>().RowAt(0));

        const AxisFootprintSampler* sampler;
        const Reader* reader;
        const SourceImage* image;
        double y;
        bool inside;  // y lies within the picture and the picture is loaded
        bool whole;  // every row found holds every column of the picture wholly
        std::int32_t lineCount;
        Line lines[kStoredOffsets];

        // Only the rows found are set: a footprint reads no others.
        Row(const AxisFootprintSampler* owner, const Reader* pixels, const SourceImage* picture, double row)
            : sampler(owner), reader(pixels), image(picture), y(row),
              inside(picture->loaded != 0 && row >= 0.0 && row < picture->height), whole(true), lineCount(0) {}

        bool operator()(const Column& column, Colour* colour) const {
            if (sampler->steps > kStoredOffsets) return (*sampler)(*reader, *image, column.x, y, colour);
            *colour = Colour();
            // A footprint of one sample, where the picture is shown at over half its size, is the
            // mean of that sample alone: the pixel itself.
            if (sampler->steps == 1) {
                if (whole)
                    lines[0].template Get<false>(column.columns[0], colour);
                else
                    lines[0].Get(column.columns[0], colour);
                return true;
            }
            if (!whole) return Mean<true, 0>(column, colour);
            // The usual footprints, whole and of a few samples a side, are summed by loops of known
            // length, which unroll.
            if (column.count == lineCount && lineCount == sampler->steps) {
                if (lineCount == 2) return Mean<false, 2>(column, colour);
                if (lineCount == 3) return Mean<false, 3>(column, colour);
                if (lineCount == 4) return Mean<false, 4>(column, colour);
            }
            return Mean<false, 0>(column, colour);
        }

        // Side is the footprint's samples along both axes, or 0 for any count of rows and columns.
        template <bool Checked, std::int32_t Side>
        bool Mean(const Column& column, Colour* colour) const {
            ChannelSums sums;
            const std::int32_t rows = Side == 0 ? lineCount : Side;
            const std::int32_t count = Side == 0 ? column.count : Side;
            for (std::int32_t j = 0; j < rows; ++j) AddRowSamples<Checked>(lines[j], column.columns, count, &sums);
            if constexpr (Line::kGrey) sums.green = sums.blue = sums.red;
            if constexpr (Side == 0) {
                return sampler->mean(sums, colour);
            } else {
                // A sum of at most 16 samples fits 32 bits, and a division by a constant is a
                // multiplication.
                constexpr std::uint32_t kArea = Side * Side;
                colour->red = static_cast<std::uint8_t>(static_cast<std::uint32_t>(sums.red) / kArea);
                colour->green = static_cast<std::uint8_t>(static_cast<std::uint32_t>(sums.green) / kArea);
                colour->blue = static_cast<std::uint8_t>(static_cast<std::uint32_t>(sums.blue) / kArea);
                colour->transparency = static_cast<std::uint8_t>(static_cast<std::uint32_t>(sums.transparency) / kArea);
                return true;
            }
        }
    };

    template <typename Reader>
    Row<Reader> ForRow(const Reader& reader, const SourceImage& image, double y) const {
        Row<Reader> row(this, &reader, &image, y);
        if (!row.inside || steps > kStoredOffsets) return row;
        while (row.lineCount < steps) {
            const double line = y + offsets[row.lineCount];
            if (!(line < image.height)) break;
            row.lines[row.lineCount] = reader.RowAt(static_cast<std::int32_t>(line));
            if (!row.lines[row.lineCount++].Whole(image.width)) row.whole = false;
        }
        return row;
    }
};
