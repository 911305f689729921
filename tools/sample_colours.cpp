#include "tools/sample_colours.h"

#include <cmath>
#include <cstdint>

namespace {

constexpr std::int32_t kWidth = 640;
constexpr std::int32_t kHeight = 480;
constexpr std::int32_t kHeaderBytes = 54;
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

void AppendLittleEndian(std::vector<unsigned char>* bytes, std::uint32_t value, std::int32_t count) {
    for (std::int32_t i = 0; i < count; ++i) bytes->push_back(static_cast<unsigned char>(value >> (8 * i)));
}

unsigned char Byte(double level) { return static_cast<unsigned char>(level * 255 + 0.5); }

}  // namespace

std::vector<unsigned char> MakeSampleColoursBmp() {
    // 640 × 3 bytes is already a multiple of 4, so rows need no padding.
    const std::uint32_t pixelBytes = kWidth * 3 * kHeight;
    std::vector<unsigned char> bytes = {'B', 'M'};
    AppendLittleEndian(&bytes, kHeaderBytes + pixelBytes, 4);
    AppendLittleEndian(&bytes, 0, 4);
    AppendLittleEndian(&bytes, kHeaderBytes, 4);
    AppendLittleEndian(&bytes, 40, 4);  // the size of the information header that follows
    AppendLittleEndian(&bytes, kWidth, 4);
    AppendLittleEndian(&bytes, kHeight, 4);  // positive: the bottom row comes first
    AppendLittleEndian(&bytes, 1, 2);        // planes
    AppendLittleEndian(&bytes, 24, 2);       // bits a pixel
    AppendLittleEndian(&bytes, 0, 4);        // uncompressed
    AppendLittleEndian(&bytes, pixelBytes, 4);
    AppendLittleEndian(&bytes, 2835, 4);  // 72 pixels an inch, as pixels a metre, each way
    AppendLittleEndian(&bytes, 2835, 4);
    AppendLittleEndian(&bytes, 0, 4);  // no palette
    AppendLittleEndian(&bytes, 0, 4);
    for (std::int32_t y = kHeight - 1; y >= 0; --y) {
        for (std::int32_t x = 0; x < kWidth; ++x) {
            const Rgb colour = ColourAt(x, y);
            bytes.insert(bytes.end(), {Byte(colour.blue), Byte(colour.green), Byte(colour.red)});
        }
    }
    return bytes;
}
