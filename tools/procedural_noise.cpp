#include "tools/procedural_noise.h"

#include <cmath>

namespace {

// Mixes every input bit into every output bit, so neighbouring lattice points are unrelated.
std::uint32_t Mix(std::uint32_t h) {
    h ^= h >> 16;
    h *= 0x7FEB352Du;
    h ^= h >> 15;
    h *= 0x846CA68Bu;
    h ^= h >> 16;
    return h;
}

double SmoothStep(double t) { return t * t * (3 - 2 * t); }

}  // namespace

double LatticeValue(std::int32_t x, std::int32_t y, std::uint32_t seed) {
    const std::uint32_t h = Mix(static_cast<std::uint32_t>(x) * 0x27D4EB2Du ^ Mix(static_cast<std::uint32_t>(y) ^ seed));
    return (h >> 8) / 16777216.0;
}

double ValueNoise(double x, double y, std::uint32_t seed) {
    const double fx = std::floor(x);
    const double fy = std::floor(y);
    const auto ix = static_cast<std::int32_t>(fx);
    const auto iy = static_cast<std::int32_t>(fy);
    const double tx = SmoothStep(x - fx);
    const double ty = SmoothStep(y - fy);
    const double bottom = LatticeValue(ix, iy, seed) + tx * (LatticeValue(ix + 1, iy, seed) - LatticeValue(ix, iy, seed));
    const double top =
        LatticeValue(ix, iy + 1, seed) + tx * (LatticeValue(ix + 1, iy + 1, seed) - LatticeValue(ix, iy + 1, seed));
    return bottom + ty * (top - bottom);
}

double FractalNoise(double x, double y, std::int32_t octaves, std::uint32_t seed) {
    double sum = 0;
    double weight = 1;
    double weights = 0;
    for (std::int32_t octave = 0; octave < octaves; ++octave) {
        sum += weight * ValueNoise(x, y, seed + static_cast<std::uint32_t>(octave));
        weights += weight;
        weight /= 2;
        x *= 2;
        y *= 2;
    }
    return sum / weights;
}

double Scatter::Next() {
    // SplitMix64: one addition and a mix a draw.
    state += 0x9E3779B97F4A7C15u;
    std::uint64_t z = state;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9u;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBu;
    z ^= z >> 31;
    return static_cast<double>(z >> 11) / 9007199254740992.0;
}
