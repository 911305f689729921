#include "tools/sample_pictures.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

#include "tools/procedural_noise.h"
#include "tools/scientific_files.h"

namespace {

constexpr std::int32_t kCraters = 1600;

// Heights in pixels, rows from the bottom, one pixel beyond every edge so that slopes need no
// special case at the border.
struct Ground {
    std::vector<double> heights;

    static constexpr std::int32_t kWidth = kSampleWidth + 2;
    static constexpr std::int32_t kHeight = kSampleHeight + 2;

    double& At(std::int32_t x, std::int32_t y) {
        return heights[static_cast<std::size_t>(y + 1) * kWidth + static_cast<std::size_t>(x + 1)];
    }
};

double RollingGround(double x, double y) {
    const double hills = 60 * FractalNoise(x / 300, y / 300, 7, 500);
    // Wrinkle ridges: the creases of a second noise, winding across the plains.
    const double ridges = 16 * std::pow(1 - std::fabs(2 * FractalNoise(x / 700, y / 500, 4, 520) - 1), 12);
    return hills + ridges;
}

// The height a crater of radius r adds at distance d from its centre: a bowl, a raised rim,
// ejecta thinning outward, and for a large crater a central peak. Old craters are shallower.
double CraterProfile(double d, double r, double freshness) {
    const double t = d / r;
    const double depth = 0.22 * r * freshness;
    const double rim = 0.06 * r * freshness;
    // The bowl's floor is nearly level and its walls steepen up to a sharp crest at the rim.
    double h = t < 1 ? depth * (std::pow(t, 4) - 1) + rim : rim * std::pow(t, -4);
    if (r > 70 && t < 0.25) h += depth * 0.5 * (1 - t / 0.25);
    return h;
}

void AddCrater(Ground& ground, double cx, double cy, double r, double freshness) {
    const auto reach = static_cast<std::int32_t>(r * 3);
    for (std::int32_t y = std::max(-1, static_cast<std::int32_t>(cy) - reach);
         y <= std::min(kSampleHeight, static_cast<std::int32_t>(cy) + reach); ++y) {
        for (std::int32_t x = std::max(-1, static_cast<std::int32_t>(cx) - reach);
             x <= std::min(kSampleWidth, static_cast<std::int32_t>(cx) + reach); ++x) {
            ground.At(x, y) += CraterProfile(std::hypot(x - cx, y - cy), r, freshness);
        }
    }
}

void AddCraters(Ground& ground) {
    Scatter scatter{1969};
    AddCrater(ground, 1130, 720, 190, 0.8);  // the basin that gives the picture its landmark
    for (std::int32_t i = 0; i < kCraters; ++i) {
        const double x = scatter.Next() * kSampleWidth;
        const double y = scatter.Next() * kSampleHeight;
        // Small craters are many and large ones few.
        const double r = 3 + 120 * std::pow(scatter.Next(), 12);
        AddCrater(ground, x, y, r, 0.3 + 0.7 * scatter.Next());
    }
}

// Dark plains of old lava and brighter highlands, a little mottled.
double Albedo(double x, double y) {
    const double plains = std::clamp((FractalNoise(x / 600, y / 600, 5, 600) - 0.45) * 6, 0.0, 1.0);
    return (0.85 - 0.35 * plains) * (0.9 + 0.2 * FractalNoise(x / 25, y / 25, 3, 650));
}

}  // namespace

ShownPicture SampleCratersPicture() {
    Ground ground{std::vector<double>(static_cast<std::size_t>(Ground::kWidth) * Ground::kHeight)};
    for (std::int32_t y = -1; y <= kSampleHeight; ++y) {
        for (std::int32_t x = -1; x <= kSampleWidth; ++x) ground.At(x, y) = RollingGround(x, y);
    }
    AddCraters(ground);
    ShownPicture picture{kSampleWidth, kSampleHeight, 1, {}};
    picture.levels.reserve(static_cast<std::size_t>(kSampleWidth) * kSampleHeight);
    for (std::int32_t y = 0; y < kSampleHeight; ++y) {
        for (std::int32_t x = 0; x < kSampleWidth; ++x) {
            // A low sun in the west: slopes rising to the east face it, the far walls of
            // craters fall into shadow.
            const double slope = (ground.At(x + 1, y) - ground.At(x - 1, y)) / 2;
            const double light = std::clamp(0.55 + 1.2 * slope, 0.05, 1.5);
            picture.levels.push_back(static_cast<unsigned char>(std::clamp(200 * light * Albedo(x, y), 0.0, 255.0) + 0.5));
        }
    }
    return picture;
}

std::vector<unsigned char> MakeSampleCratersImg() {
    return PdsFile("UNSIGNED_INTEGER", 8, kSampleWidth, kSampleHeight, SampleCratersPicture().levels);
}
