#include "model/random.h"

std::uint64_t g_randomState = 0;

std::int32_t NextRandom() {
    // Unsigned arithmetic wraps modulo 2^64, which is the generator's modulus.
    g_randomState = g_randomState * 0x38F4FD9CACD954C7u + 0x000052EE806FF379u;
    return static_cast<std::int32_t>((g_randomState >> 12) & 0x7FFFFFFFu);
}

std::int32_t RandomInRange(std::int32_t low, std::int32_t high) {
    // The width is taken in 64 bits so that no pair of 32-bit bounds can overflow it; r × n then
    // stays below 2^31 × 2^32 in magnitude, and the quotient lies between 0 and n, so the result
    // lies between low and high.
    const std::int64_t n = static_cast<std::int64_t>(high) - low;
    const std::int64_t r = NextRandom();
    return static_cast<std::int32_t>(low + r * n / 0x80000000LL);
}
