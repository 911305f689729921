#include "model/random.h"

#include <gtest/gtest.h>

#include <climits>

// From state 0 the generator draws 786958079, about 0.366 of 2^31, then 1526468270. Scaled: 93.8…;
// an empty range; 10 − 3.66… truncated toward zero, not 6; (2^32 − 1) × 0.366…, which overflows
// no 32-bit width.
TEST(Random, RandomInRangeScalesOneDrawTowardZeroWhateverTheRange) {
    const struct { int low, high, expected; } cases[] = {{0, 256, 93}, {4, 4, 4}, {10, 0, 7}, {INT_MIN, INT_MAX, INT_MIN + 1573916157}};
    for (const auto& c : cases) {
        g_randomState = 0;
        EXPECT_EQ(RandomInRange(c.low, c.high), c.expected) << c.low << " … " << c.high;
        EXPECT_EQ(NextRandom(), 1526468270);  // exactly one step taken, whatever the range
    }
}
