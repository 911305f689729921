#include "loaders/label_number.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

namespace {

constexpr std::int32_t kUnread = -7777;

// Reads `text` from an exactly sized heap copy without a terminator, so that reading past its
// end shows up under the address sanitizer. Gives kUnread when no number is read.
std::int32_t Number(const std::string& text, std::size_t* used = nullptr) {
    const std::unique_ptr<unsigned char[]> copy(new unsigned char[text.size() + 1]);
    std::memcpy(copy.get(), text.data(), text.size());
    std::int32_t value = kUnread;
    const bool read = ParseLabelNumber(copy.get(), text.size(), &value, used);
    EXPECT_EQ(read, value != kUnread) << text;
    return value;
}

}  // namespace

TEST(LabelNumber, ReadsAsPercentLdDoesButWithinItsBytesAndThe32BitRange) {
    const struct {
        std::string text;
        std::int32_t value;
        std::size_t used;
    } cases[] = {
        {"42", 42, 2},
        {"   -32 / comment", -32, 6},
        {"\t\r\n +7", 7, 6},  // every white space, line ends too
        {"12.75", 12, 2},     // stops at the first byte that is no digit
        {"36865 <BYTES>", 36865, 5},
        {"2147483647", INT32_MAX, 10},
        {"-2147483648", INT32_MIN, 11},
        {"2147483648", INT32_MAX, 10},  // beyond the range: the nearer end
        {"-2147483649", INT32_MIN, 11},
        {std::string(400, '9'), INT32_MAX, 400},
        {"-" + std::string(400, '9'), INT32_MIN, 401},
    };
    for (const auto& c : cases) {
        std::size_t used = 0;
        EXPECT_EQ(Number(c.text, &used), c.value) << c.text;
        EXPECT_EQ(used, c.used) << c.text;
    }
    for (const char* text : {"", "   ", "T", "-", "- 5", "(\"FF01.IMG\",3)"}) EXPECT_EQ(Number(text), kUnread) << text;

    const unsigned char digits[] = {'1', '2', '3', '4'};
    std::int32_t value = 0;
    ASSERT_TRUE(ParseLabelNumber(digits, 2, &value, nullptr));
    EXPECT_EQ(value, 12);
}
