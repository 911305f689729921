#pragma once

#include <cstddef>
#include <cstdint>

// Reads a whole number the way "%ld" does, but never beyond `length` bytes of `text`: white space
// is skipped, then an optional sign and decimal digits are taken up to the first byte that is not
// a digit. False, with `value` left alone, when no digit follows. A number beyond the 32-bit range
// stops at the nearer end of the range, as the C library's conversions do. When `used` is not
// null it receives how many bytes the number took, white space included.
bool ParseLabelNumber(const unsigned char* text, std::size_t length, std::int32_t* value,
                      std::size_t* used);
