#pragma once

#include <cstdint>

// The building blocks of the sample pictures: values that look random but are fixed by their
// arguments alone, so the tool writes the same pictures on every run and every platform.

// A value in 0 … 1 for the lattice point (x, y) of one noise `seed`.
double LatticeValue(std::int32_t x, std::int32_t y, std::uint32_t seed);

// Smooth noise in 0 … 1 with features about one unit apart: lattice values blended with a
// smooth step between the four lattice points around (x, y).
double ValueNoise(double x, double y, std::uint32_t seed);

// `octaves` layers of value noise, each of twice the frequency and half the weight of the one
// before, scaled back into 0 … 1: broad shapes with detail down to the finest layer.
double FractalNoise(double x, double y, std::int32_t octaves, std::uint32_t seed);

// A sequence of draws for scattering stars and craters: the same seed, the same sequence.
struct Scatter {
    std::uint64_t state;

    // Uniform in 0 … 1, 1 excluded.
    double Next();
};
