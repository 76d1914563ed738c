#pragma once
// Little-endian helpers for wire data; never cast buffers to wider types.

#include <cstddef>
#include <cstdint>
#include <span>

namespace md {

inline uint16_t getLe16(std::span<const uint8_t> b, size_t at) {
    return static_cast<uint16_t>(b[at] | (b[at + 1] << 8));
}
inline uint32_t getLe32(std::span<const uint8_t> b, size_t at) {
    return static_cast<uint32_t>(b[at]) | (static_cast<uint32_t>(b[at + 1]) << 8) |
           (static_cast<uint32_t>(b[at + 2]) << 16) | (static_cast<uint32_t>(b[at + 3]) << 24);
}
inline void putLe16(std::span<uint8_t> b, size_t at, uint16_t v) {
    b[at] = static_cast<uint8_t>(v & 0xFF);
    b[at + 1] = static_cast<uint8_t>(v >> 8);
}
inline void putLe32(std::span<uint8_t> b, size_t at, uint32_t v) {
    for (size_t i = 0; i < 4; ++i) b[at + i] = static_cast<uint8_t>(v >> (8 * i));
}

}  // namespace md
