#include "tools/sample_pictures.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

#include "tools/procedural_noise.h"
#include "tools/scientific_files.h"

namespace {

constexpr std::int32_t kStars = 6000;
constexpr std::int32_t kSpikedStars = 7;

// Brightness as a fraction of full scale.
using Sky = std::vector<double>;

double& At(Sky& sky, std::int32_t x, std::int32_t y) {
    return sky[static_cast<std::size_t>(y) * kSampleWidth + static_cast<std::size_t>(x)];
}

// Dim clouds everywhere, brighter in wisps, so no stretch of sky is empty.
double Nebula(double x, double y) {
    const double cloud = std::clamp((FractalNoise(x / 420, y / 420, 8, 900) - 0.15) * 1.5, 0.0, 1.0);
    const double wisps = 1 - std::fabs(2 * FractalNoise(x / 120 + 7, y / 120, 6, 950) - 1);
    const double knots = FractalNoise(x / 60, y / 60, 4, 980);
    // A band of the home galaxy crosses the sky from the lower left, and a glowing cloud fills
    // the upper left, a fainter one the lower right: where a piece lies shows in how bright its sky is.
    const double band = std::exp(-std::pow((x - 0.9 * y - 300) / 420, 2));
    const double glow = std::exp(-(std::pow((x - 330) / 300, 2) + std::pow((y - 880) / 240, 2))) +
                        0.7 * std::exp(-(std::pow((x - 1380) / 260, 2) + std::pow((y - 230) / 200, 2)));
    return 0.04 + (0.3 + 0.5 * band + 0.3 * glow) * std::pow(cloud, 1.3) + (0.4 + 0.2 * glow) * std::pow(wisps, 3) +
           0.35 * knots * knots;
}

// A two-armed spiral, tilted and turned, with a bright bulge and dark lanes of dust.
double Galaxy(double x, double y) {
    const double cx = 960, cy = 560, turn = 0.5, tilt = 0.5, radius = 170;
    const double u = ((x - cx) * std::cos(turn) + (y - cy) * std::sin(turn)) / radius;
    const double v = (-(x - cx) * std::sin(turn) + (y - cy) * std::cos(turn)) / (radius * tilt);
    const double r = std::sqrt(u * u + v * v) + 1e-6;
    const double angle = std::atan2(v, u);
    const double arms = std::pow(0.5 + 0.5 * std::cos(2 * (angle - 2.6 * std::log(r))), 3);
    const double clumps = 0.6 + 0.8 * FractalNoise(x / 40, y / 40, 4, 700);
    const double disc = std::exp(-r / 0.9) * (0.25 + 0.9 * arms * clumps);
    const double bulge = std::exp(-std::pow(r / 0.12, 0.8));
    const double dust = 1 - 0.5 * std::pow(0.5 + 0.5 * std::cos(2 * (angle - 2.6 * std::log(r)) + 2.2), 8) * std::exp(-r);
    return 0.5 * disc * dust + 0.6 * bulge;
}

// A star of `peak` brightness blurred by the seeing, with a faint halo; the brightest ones also
// carry the cross of spikes a telescope's support vanes make.
void AddStar(Sky& sky, double sx, double sy, double peak, double width, bool spiked) {
    const auto reach = static_cast<std::int32_t>(width * 8 + (spiked ? 90 : 0));
    for (std::int32_t y = std::max(0, static_cast<std::int32_t>(sy) - reach);
         y <= std::min(kSampleHeight - 1, static_cast<std::int32_t>(sy) + reach); ++y) {
        for (std::int32_t x = std::max(0, static_cast<std::int32_t>(sx) - reach);
             x <= std::min(kSampleWidth - 1, static_cast<std::int32_t>(sx) + reach); ++x) {
            const double dx = x - sx, dy = y - sy;
            const double d2 = (dx * dx + dy * dy) / (width * width);
            double light = std::exp(-d2 / 2) + 0.03 / (1 + d2);
            if (spiked) light += 0.25 * std::exp(-std::min(std::fabs(dx), std::fabs(dy)) * 1.5) * std::exp(-std::hypot(dx, dy) / 45);
            At(sky, x, y) += peak * light;
        }
    }
}

void AddStars(Sky& sky) {
    Scatter scatter{2024};
    for (std::int32_t i = 0; i < kStars; ++i) {
        const double x = scatter.Next() * kSampleWidth;
        const double y = scatter.Next() * kSampleHeight;
        // Faint stars are many and bright ones few, as in any field.
        const double peak = 0.05 + 0.9 * std::pow(scatter.Next(), 10);
        AddStar(sky, x, y, peak, 1.1 + 1.2 * peak, false);
    }
    for (std::int32_t i = 0; i < kSpikedStars; ++i) {
        AddStar(sky, 100 + scatter.Next() * (kSampleWidth - 200), 100 + scatter.Next() * (kSampleHeight - 200), 1.0,
                2.6, true);
    }
}

}  // namespace

std::vector<std::int16_t> SampleGalaxySamples() {
    Sky sky(static_cast<std::size_t>(kSampleWidth) * kSampleHeight);
    for (std::int32_t y = 0; y < kSampleHeight; ++y) {
        for (std::int32_t x = 0; x < kSampleWidth; ++x) {
            // The grain of the detector: a little noise on every sample.
            const double grain = 0.008 * (LatticeValue(x, y, 77) - 0.5);
            At(sky, x, y) = Nebula(x, y) + Galaxy(x, y) + grain;
        }
    }
    AddStars(sky);
    std::vector<std::int16_t> samples;
    samples.reserve(sky.size());
    for (double level : sky) samples.push_back(static_cast<std::int16_t>(std::clamp(level, 0.0, 1.0) * 32767 + 0.5));
    return samples;
}

std::vector<unsigned char> MakeSampleGalaxyFits() {
    std::vector<unsigned char> bytes;
    for (std::int16_t sample : SampleGalaxySamples()) {
        bytes.push_back(static_cast<unsigned char>(static_cast<std::uint16_t>(sample) >> 8));
        bytes.push_back(static_cast<unsigned char>(sample & 0xFF));
    }
    return FitsFile(16, kSampleWidth, kSampleHeight, "A spiral galaxy, a nebula and stars, made by make_sample_pictures.",
                    bytes);
}
