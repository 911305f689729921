#include "tools/sample_pictures.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <vector>

#include "tools/bmp_file.h"
#include "tools/procedural_noise.h"

namespace {

constexpr double kFeature = 520.0;  // pixels across the broadest shapes of the land
constexpr double kSeaLevel = 0.5;
constexpr std::uint32_t kHeightSeed = 11;
constexpr std::uint32_t kFieldSeed = 300;

struct Rgb {
    double red;
    double green;
    double blue;
};

Rgb Mix(const Rgb& a, const Rgb& b, double t) {
    t = std::clamp(t, 0.0, 1.0);
    return {a.red + (b.red - a.red) * t, a.green + (b.green - a.green) * t, a.blue + (b.blue - a.blue) * t};
}

// Rows count from the bottom, so a larger y is further north.
double Height(double x, double y) {
    const double land = FractalNoise(x / kFeature, y / kFeature, 8, kHeightSeed);
    // The picture's edges sink a little, so the islands sit inside the frame.
    const double dx = x / kSampleWidth - 0.5;
    const double dy = y / kSampleHeight - 0.5;
    return land + 0.08 - 0.35 * (dx * dx + dy * dy);
}

// The patchwork: fields of a colour each on a lattice of 46 pixels, bent by noise so that
// their borders wander like hedges.
Rgb FieldColour(double x, double y) {
    static const Rgb kCrops[] = {{222, 196, 70}, {150, 190, 70}, {160, 120, 200}, {230, 150, 60},
                                 {110, 160, 60}, {200, 210, 110}, {190, 90, 70}};
    const double bentX = x / 46 + 0.6 * ValueNoise(x / 90, y / 90, kFieldSeed);
    const double bentY = y / 46 + 0.6 * ValueNoise(x / 90, y / 90, kFieldSeed + 1);
    const double pick = LatticeValue(static_cast<std::int32_t>(std::floor(bentX)),
                                     static_cast<std::int32_t>(std::floor(bentY)), kFieldSeed + 2);
    return kCrops[static_cast<std::size_t>(pick * 7)];
}

Rgb GroundColour(double x, double y, double h) {
    const Rgb sand = {236, 214, 150};
    const Rgb forest = {36, 112, 48};
    const Rgb rock = {138, 116, 96};
    const Rgb snow = {248, 248, 252};
    const double jitter = 0.02 * (ValueNoise(x / 30, y / 30, 400) - 0.5);
    const double above = h - kSeaLevel + jitter;
    if (above < 0.012) return sand;
    if (above < 0.09) return Mix(FieldColour(x, y), forest, (above - 0.06) / 0.03);
    if (above < 0.17) return Mix(forest, rock, (above - 0.14) / 0.03);
    return Mix(rock, snow, (above - 0.2) / 0.02);
}

Rgb WaterColour(double x, double h) {
    const double across = x / kSampleWidth;
    const Rgb deep = Mix({38, 40, 150}, {10, 90, 110}, across);
    const Rgb shallow = Mix({120, 150, 230}, {70, 220, 190}, across);
    return Mix(shallow, deep, (kSeaLevel - h) / 0.22);
}

}  // namespace

ShownPicture SampleLandscapePicture() {
    // Heights one pixel beyond every edge, so that the shading's slopes need no special case.
    const std::int32_t w = kSampleWidth + 2;
    const std::int32_t h = kSampleHeight + 2;
    std::vector<double> heights(static_cast<std::size_t>(w) * h);
    for (std::int32_t y = 0; y < h; ++y) {
        for (std::int32_t x = 0; x < w; ++x) heights[static_cast<std::size_t>(y) * w + x] = Height(x - 1, y - 1);
    }
    const auto at = [&](std::int32_t x, std::int32_t y) { return heights[static_cast<std::size_t>(y + 1) * w + x + 1]; };
    ShownPicture picture{kSampleWidth, kSampleHeight, 3, {}};
    picture.levels.reserve(static_cast<std::size_t>(kSampleWidth) * kSampleHeight * 3);
    for (std::int32_t y = 0; y < kSampleHeight; ++y) {
        for (std::int32_t x = 0; x < kSampleWidth; ++x) {
            const double height = at(x, y);
            const bool land = height >= kSeaLevel;
            // The sun shines from the upper left (west and north); slopes facing it are lit.
            const double slopeX = (at(x + 1, y) - at(x - 1, y)) * (land ? 260 : 200);
            const double slopeY = (at(x, y + 1) - at(x, y - 1)) * (land ? 260 : 200);
            const double light = std::clamp(1.0 + slopeX - slopeY, 0.45, 1.5);
            const Rgb base = land ? GroundColour(x, y, height) : WaterColour(x, height);
            for (double level : {base.red, base.green, base.blue}) {
                picture.levels.push_back(static_cast<unsigned char>(std::clamp(level * light, 0.0, 255.0) + 0.5));
            }
        }
    }
    return picture;
}

std::vector<unsigned char> MakeSampleLandscapeBmp() { return BmpFile(SampleLandscapePicture()); }
