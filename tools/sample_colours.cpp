#include "tools/sample_colours.h"

#include <cmath>
#include <cstddef>
#include <cstdint>

#include "tools/bmp_file.h"

namespace {

constexpr std::int32_t kWidth = 640;
constexpr std::int32_t kHeight = 480;
constexpr double kRingWidth = 4.0;

struct Rgb {
    double red;
    double green;
    double blue;
};

struct Disc {
    double x;
    double y;
    double radius;
};

// Spread so that no stretch of the picture is only rainbow, and clear of the corners and of the
// top row's middle, where the colours are plain hues a test can work out by hand.
const Disc kDiscs[] = {
    {150, 150, 95}, {455, 115, 70}, {330, 310, 105}, {95, 385, 60}, {565, 370, 75}, {250, 60, 35}, {520, 250, 40},
};

Rgb FromHue(double hue, double saturation, double value) {
    const double sector = std::fmod(hue, 360.0) / 60.0;
    const auto index = static_cast<std::int32_t>(sector);
    const double f = sector - index;
    const double p = value * (1 - saturation);
    const double q = value * (1 - saturation * f);
    const double t = value * (1 - saturation * (1 - f));
    switch (index) {
    case 0: return {value, t, p};
    case 1: return {q, value, p};
    case 2: return {p, value, t};
    case 3: return {p, q, value};
    case 4: return {t, p, value};
    default: return {value, p, q};
    }
}

Rgb ColourAt(std::int32_t x, std::int32_t y) {
    const double hue = 360.0 * x / kWidth + 120.0 * y / (kHeight - 1);
    for (const Disc& disc : kDiscs) {
        const double distance = std::hypot(x - disc.x, y - disc.y);
        if (distance > disc.radius) continue;
        if (distance > disc.radius - kRingWidth) return FromHue(hue, 0.8, 0.35);
        return FromHue(hue + 180.0, 0.15 + 0.65 * distance / disc.radius, 1.0);
    }
    return FromHue(hue, 0.6, 1.0);
}

unsigned char Byte(double level) { return static_cast<unsigned char>(level * 255 + 0.5); }

}  // namespace

ShownPicture SampleColoursPicture() {
    ShownPicture picture{kWidth, kHeight, 3, {}};
    picture.levels.reserve(static_cast<std::size_t>(kWidth) * kHeight * 3);
    // Rows count from the bottom; the rainbow's y counts from the top.
    for (std::int32_t y = kHeight - 1; y >= 0; --y) {
        for (std::int32_t x = 0; x < kWidth; ++x) {
            const Rgb colour = ColourAt(x, y);
            picture.levels.insert(picture.levels.end(), {Byte(colour.red), Byte(colour.green), Byte(colour.blue)});
        }
    }
    return picture;
}

std::vector<unsigned char> MakeSampleColoursBmp() { return BmpFile(SampleColoursPicture()); }
