#include "loaders/label_number.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

namespace {

// The number in `text`, or `unread` when none is read. The text is an exactly sized heap copy
// without a terminator, so reading past its end shows up under the address sanitizer.
std::int32_t Number(const std::string& text, std::int32_t unread = -7777, std::size_t* used = nullptr) {
    const std::unique_ptr<unsigned char[]> copy(new unsigned char[text.size() + 1]);
    std::memcpy(copy.get(), text.data(), text.size());
    std::int32_t value = unread;
    std::size_t taken = 0;
    ParseLabelNumber(copy.get(), text.size(), &value, &taken);
    if (used != nullptr) *used = taken;
    return value;
}

}  // namespace

TEST(LabelNumber, ReadsAsPercentLdDoesWithinItsBytes) {
    EXPECT_EQ(Number("42"), 42);
    EXPECT_EQ(Number("   -32 / comment"), -32);
    EXPECT_EQ(Number("+7"), 7);
    EXPECT_EQ(Number("\t\r\n 5"), 5);          // every white space, line ends too
    EXPECT_EQ(Number("12.75"), 12);            // stops at the first byte that is no digit
    EXPECT_EQ(Number("36865 <BYTES>"), 36865);
    EXPECT_EQ(Number("007"), 7);
    std::size_t used = 0;
    EXPECT_EQ(Number("  -120x", 0, &used), -120);
    EXPECT_EQ(used, 6u);
}

TEST(LabelNumber, NoDigitsLeaveTheValueAlone) {
    EXPECT_EQ(Number(""), -7777);
    EXPECT_EQ(Number("   "), -7777);
    EXPECT_EQ(Number("T"), -7777);
    EXPECT_EQ(Number("-"), -7777);
    EXPECT_EQ(Number("- 5"), -7777);
    EXPECT_EQ(Number("(\"FF01.IMG\",3)"), -7777);
    EXPECT_EQ(Number("\"PAN1IRED.IMG\""), -7777);
}

TEST(LabelNumber, NeverReadsBeyondItsLengthNorOverflows) {
    const unsigned char text[] = {'1', '2', '3', '4'};
    std::int32_t value = 0;
    ASSERT_TRUE(ParseLabelNumber(text, 2, &value, nullptr));
    EXPECT_EQ(value, 12);
    EXPECT_FALSE(ParseLabelNumber(text, 0, &value, nullptr));
    EXPECT_EQ(Number("2147483647"), 2147483647);
    EXPECT_EQ(Number("-2147483648"), INT32_MIN);
    EXPECT_EQ(Number("2147483648"), INT32_MAX);
    EXPECT_EQ(Number("-2147483649"), INT32_MIN);
    EXPECT_EQ(Number(std::string(400, '9')), INT32_MAX);
    EXPECT_EQ(Number("-" + std::string(400, '9')), INT32_MIN);
}
