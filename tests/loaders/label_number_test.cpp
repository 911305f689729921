#include "loaders/label_number.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// "%ld" skips every white space, line ends too, takes a sign and stops at the first byte that is
// no digit; beyond the 32-bit range it gives the nearer end.
TEST(LabelNumber, ReadsAsPercentLdDoesButWithinItsBytesAndThe32BitRange) {
    constexpr std::int32_t kUnread = -7777;
    // kUnread when no number is read
    const struct { std::string text; std::int32_t value; } cases[] = {
        {"42", 42}, {"   -32 / comment", -32}, {"\t\r\n +7", 7}, {"12.75", 12},
        {"2147483647", INT32_MAX}, {"-2147483648", INT32_MIN}, {"2147483648", INT32_MAX}, {"-2147483649", INT32_MIN},
        {std::string(400, '9'), INT32_MAX}, {"-" + std::string(400, '9'), INT32_MIN},
        {"", kUnread}, {"   ", kUnread}, {"- 5", kUnread}, {"(\"FF01.IMG\",3)", kUnread},
    };
    for (const auto& c : cases) {
        // An exactly sized heap copy without a terminator: reading past its end shows up under
        // the address sanitizer. That the reading stops at its length inside a longer text, the
        // FITS reader's test of a blank card followed by a number shows.
        const std::vector<unsigned char> copy(c.text.begin(), c.text.end());
        std::int32_t value = kUnread;
        EXPECT_EQ(ParseLabelNumber(copy.data(), copy.size(), &value, nullptr), c.value != kUnread) << c.text;
        EXPECT_EQ(value, c.value) << c.text;
    }
}
