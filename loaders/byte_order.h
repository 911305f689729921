#pragma once

// Numbers as files store them, read from their bytes at an address: big-endian (FITS, and PDS
// labels that say MSB), little-endian (PDS labels that say LSB, TIFF). There is no cursor, so a
// read never writes and any number of threads may read the same bytes at once.

#include <cstdint>
#include <cstring>

inline std::uint16_t BigEndian16(const unsigned char* bytes) {
    return static_cast<std::uint16_t>(bytes[0] << 8 | bytes[1]);
}

inline std::uint32_t BigEndian32(const unsigned char* bytes) {
    return static_cast<std::uint32_t>(BigEndian16(bytes)) << 16 | BigEndian16(bytes + 2);
}

inline std::uint64_t BigEndian64(const unsigned char* bytes) {
    return static_cast<std::uint64_t>(BigEndian32(bytes)) << 32 | BigEndian32(bytes + 4);
}

inline std::uint16_t LittleEndian16(const unsigned char* bytes) {
    return static_cast<std::uint16_t>(bytes[1] << 8 | bytes[0]);
}

inline std::uint32_t LittleEndian32(const unsigned char* bytes) {
    return static_cast<std::uint32_t>(LittleEndian16(bytes + 2)) << 16 | LittleEndian16(bytes);
}

// IEEE 754 values from their bits.
inline float FloatOfBits(std::uint32_t bits) {
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

inline double DoubleOfBits(std::uint64_t bits) {
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}
