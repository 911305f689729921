#pragma once

#include <cstdint>

// A 16-byte identifier laid out as the platform's GUID, so that one can be copied into the other.
struct Guid {
    std::uint32_t data1;
    std::uint16_t data2;
    std::uint16_t data3;
    std::uint8_t data4[8];
};
static_assert(sizeof(Guid) == 16, "a Guid is 16 bytes");

bool IsSameGuid(const Guid& a, const Guid& b);
