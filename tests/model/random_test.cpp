#include "model/random.h"

#include <gtest/gtest.h>

#include <climits>

TEST(Random, FromStateZeroTheGeneratorGivesItsKnownSequence) {
    g_randomState = 0;
    EXPECT_EQ(NextRandom(), 786958079);
    EXPECT_EQ(NextRandom(), 1526468270);
    EXPECT_EQ(NextRandom(), 384537742);
}

TEST(Random, RandomInRangeScalesOneDrawTowardZeroWhateverTheRange) {
    // 786958079 × 256 / 2^31 = 93.8…
    g_randomState = 0;
    EXPECT_EQ(RandomInRange(0, 256), 93);
    // An empty range still uses its step: the next draw is the sequence's second value.
    EXPECT_EQ(RandomInRange(4, 4), 4);
    EXPECT_EQ(NextRandom(), 384537742);

    // A reversed range: 786958079 × −10 / 2^31 = −3.66…, truncated to −3 rather than −4.
    g_randomState = 0;
    EXPECT_EQ(RandomInRange(10, 0), 7);
    EXPECT_EQ(NextRandom(), 1526468270);

    // The widest range overflows no 32-bit width: 786958079 × (2^32 − 1) / 2^31 = 1573916157.6…
    g_randomState = 0;
    EXPECT_EQ(RandomInRange(INT_MIN, INT_MAX), INT_MIN + 1573916157);
}

TEST(Random, RandomInRangeStaysInsideItsRangeAndReachesBothEnds) {
    g_randomState = 12345;
    bool sawLow = false;
    bool sawHigh = false;
    for (int i = 0; i < 2000; ++i) {
        const int forward = RandomInRange(-3, 3);
        ASSERT_GE(forward, -3);
        ASSERT_LE(forward, 2);
        const int backward = RandomInRange(3, -3);
        ASSERT_GE(backward, -2);
        ASSERT_LE(backward, 3);
        sawLow = sawLow || forward == -3;
        sawHigh = sawHigh || forward == 2;
    }
    EXPECT_TRUE(sawLow);
    EXPECT_TRUE(sawHigh);
}
