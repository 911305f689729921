#include "loaders/label_number.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

TEST(LabelNumber, ReadsAsPercentLdDoesButWithinItsBytesAndThe32BitRange) {
    constexpr std::int32_t kUnread = -7777;
    const struct {
        std::string text;
        std::int32_t value;  // kUnread when no number is read
    } cases[] = {
        {"42", 42},
        {"   -32 / comment", -32},
        {"\t\r\n +7", 7},  // every white space, line ends too
        {"12.75", 12},     // stops at the first byte that is no digit
        {"2147483647", INT32_MAX},
        {"-2147483648", INT32_MIN},
        {"2147483648", INT32_MAX},  // beyond the range: the nearer end
        {"-2147483649", INT32_MIN},
        {std::string(400, '9'), INT32_MAX},
        {"-" + std::string(400, '9'), INT32_MIN},
        {"", kUnread},
        {"   ", kUnread},
        {"- 5", kUnread},
        {"(\"FF01.IMG\",3)", kUnread},
    };
    for (const auto& c : cases) {
        // An exactly sized heap copy without a terminator: reading past its end shows up under
        // the address sanitizer. That the reading stops at its length inside a longer text, the
        // FITS reader's test of a blank card followed by a number shows.
        const std::unique_ptr<unsigned char[]> copy(new unsigned char[c.text.size()]);
        std::memcpy(copy.get(), c.text.data(), c.text.size());
        std::int32_t value = kUnread;
        EXPECT_EQ(ParseLabelNumber(copy.get(), c.text.size(), &value, nullptr), c.value != kUnread) << c.text;
        EXPECT_EQ(value, c.value) << c.text;
    }
}
