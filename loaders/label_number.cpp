#include "loaders/label_number.h"

namespace {

// The white space of the C locale's isspace, which "%ld" skips: line ends included.
bool IsWhiteSpace(unsigned char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

bool IsDigit(unsigned char c) { return c >= '0' && c <= '9'; }

}  // namespace

bool ParseLabelNumber(const unsigned char* text, std::size_t length, std::int32_t* value,
                      std::size_t* used) {
    std::size_t at = 0;
    while (at < length && IsWhiteSpace(text[at])) ++at;
    const bool negative = at < length && text[at] == '-';
    if (at < length && (text[at] == '-' || text[at] == '+')) ++at;
    if (at == length || !IsDigit(text[at])) return false;
    // Kept within one step of the 32-bit range, so that any number of digits stays defined.
    constexpr std::int64_t kLimit = std::int64_t{INT32_MAX} + 1;
    std::int64_t magnitude = 0;
    for (; at < length && IsDigit(text[at]); ++at) {
        magnitude = magnitude * 10 + (text[at] - '0');
        if (magnitude > kLimit) magnitude = kLimit;
    }
    const std::int64_t signedValue = negative ? -magnitude : magnitude;
    *value = static_cast<std::int32_t>(signedValue > INT32_MAX ? INT32_MAX : signedValue);
    if (used != nullptr) *used = at;
    return true;
}
