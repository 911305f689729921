#pragma once

#include <cstdint>

// The one generator of the whole program: generation, knob shapes, re-placement after a resize and
// the random favourite all draw from it, so a seed and a sequence of actions replay exactly.
extern std::uint64_t g_randomState;

// Advances the state one step and returns 31 of its bits: 0 … 2^31 − 1.
std::int32_t NextRandom();

// low … high − 1 when high > low, low when they are equal, high + 1 … low when high < low.
// Always consumes exactly one step, whatever the range.
std::int32_t RandomInRange(std::int32_t low, std::int32_t high);
